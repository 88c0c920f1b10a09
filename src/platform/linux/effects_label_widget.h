// A label whose caption is drawn turned by an angle, sized to the turned
// text (the core's EffectsAutoSize), transparent on its parent.
#pragma once

#include <QFont>
#include <QWidget>

#include "widgets/effects_label.h"

namespace pixolet::linux_common {

// A font of the given character height in pixels, as the forms describe
// their fonts.
QFont PixelFont(const char* family, int pixelSize);

class EffectsLabelWidget : public QWidget {
    Q_OBJECT
  public:
    EffectsLabelWidget(const QString& caption, int angleDegrees, QWidget* parent = nullptr);

    // The program's name as the splash and the About page show it: Arial,
    // 13 pixels, blue, turned by 40 degrees, with its box at (12, 50).
    static EffectsLabelWidget* MakeProgramCaption(const QString& caption, QWidget* parent);

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

}  // namespace pixolet::linux_common
