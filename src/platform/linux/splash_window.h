// The splash window: the program's icon, its turned name, the maker's logo
// and three links, shown at start and hidden again after a short while or
// on a double-click on its free area.
#pragma once

#include <QTimer>
#include <QWidget>

namespace pixolet::linux_common {

class LinkLabelWidget;

class TfrmStart : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmStart(QWidget* parent = nullptr);

    static constexpr int kClientWidth = 250;
    static constexpr int kClientHeight = 125;
    static constexpr int kTimerIntervalMs = 1400;

    LinkLabelWidget* lblOrvessa = nullptr;
    LinkLabelWidget* PxSimpleLabel1 = nullptr;
    LinkLabelWidget* PxSimpleLabel3 = nullptr;

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Panel1DblClick: the children keep their own clicks, so this only sees
    // the free area.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void Timer1Timer();
    void CentreOnScreen();

    QTimer Timer1;
};

}  // namespace pixolet::linux_common
