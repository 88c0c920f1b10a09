#include "platform/linux/maker_links.h"

#include <string_view>

#include "platform/linux/effects_label_widget.h"
#include "platform/linux/link_label_widget.h"
#include "settings/properties_dialog.h"

namespace pixolet::linux_common {

namespace {

LinkLabelWidget* MakeLink(QWidget* parent, std::string_view caption, const std::string& jump,
                          const QRect& bounds) {
    auto* label = new LinkLabelWidget(std::string(caption), parent);
    label->setFont(PixelFont("MS Sans Serif", 13));
    label->setGeometry(bounds);
    label->State().Jump = jump;
    label->State().SetUseAsJump(true);
    label->Refresh();
    return label;
}

}  // namespace

MakerLinks CreateMakerLinks(QWidget* parent, int left, const std::string& mail) {
    auto box = [left](int top) { return QRect(left, top, 143, 15); };
    MakerLinks links;
    links.partner = MakeLink(parent, kPartnerHost, std::string(kPartnerWebAddress), box(64));
    links.maker = MakeLink(parent, kMakerWebAddress, std::string(kMakerWebAddress), box(84));
    links.mail = MakeLink(parent, mail, "mailto:" + mail, box(103));
    return links;
}

}  // namespace pixolet::linux_common
