// A label whose caption is drawn turned by an angle, sized to the turned
// text (the core's EffectsAutoSize), transparent on its parent.
#pragma once

#include <QWidget>

#include "widgets/effects_label.h"

namespace pixolet::x11 {

class EffectsLabelWidget : public QWidget {
    Q_OBJECT
  public:
    EffectsLabelWidget(const QString& caption, int angleDegrees, QWidget* parent = nullptr);

    // Recomputes the box from the current font and caption; the left and
    // top stay where they are.
    void AutoSize();
    const EffectsBox& Box() const { return box_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QString caption_;
    int angle_;
    EffectsBox box_;
};

}  // namespace pixolet::x11
