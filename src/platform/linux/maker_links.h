// The three links that the splash and the About page both show below the
// maker's logo.
#pragma once

#include <QWidget>
#include <string>

namespace pixolet::linux_common {

class LinkLabelWidget;

struct MakerLinks {
    LinkLabelWidget* partner = nullptr;
    LinkLabelWidget* maker = nullptr;
    LinkLabelWidget* mail = nullptr;
};

// The links, 143 x 15 pixels each with their left edge at `left`, at the
// heights 64, 84 and 103: the partner's site, the maker's site and `mail` as
// a mailto link.
MakerLinks CreateMakerLinks(QWidget* parent, int left, const std::string& mail);

}  // namespace pixolet::linux_common
