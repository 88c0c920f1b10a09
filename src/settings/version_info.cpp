#include "settings/version_info.h"

#include <algorithm>

namespace pixolet {

std::string AuthorLine(std::string_view versionBlock) {
    const std::size_t start = versionBlock.find("Auth");
    if (start == std::string_view::npos) return "";
    // Bounded by the block: an author line near its end yields fewer than 255
    // characters rather than whatever lies beyond it.
    std::string_view line =
        versionBlock.substr(start, std::min(kMaxAuthorLineLength, versionBlock.size() - start));
    const std::size_t cr = line.find('\r');
    if (cr != std::string_view::npos) line = line.substr(0, cr);
    return std::string(line);
}

}  // namespace pixolet
