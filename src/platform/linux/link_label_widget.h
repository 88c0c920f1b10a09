// A one-line label that can act as a link, drawn transparent on its parent.
// The look and the click logic live in the core's LinkLabel.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "widgets/link_label.h"

namespace pixolet::linux_common {

class LinkLabelWidget : public QWidget {
    Q_OBJECT
  public:
    // Hands a target to the desktop; false when nothing could open it.
    using Opener = std::function<bool(const std::string&)>;

    LinkLabelWidget(const std::string& caption, QWidget* parent = nullptr);

    LinkLabel& State() { return state_; }
    // Applies the state's link properties after they were changed.
    void Refresh();
    void SetOpener(Opener opener) { opener_ = std::move(opener); }
    // The desktop's default opener: web addresses in the browser, "mailto:"
    // in the mail program.
    static bool OpenWithDesktop(const std::string& target);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    LinkLabel state_;
    Opener opener_ = &LinkLabelWidget::OpenWithDesktop;
};

}  // namespace pixolet::linux_common
