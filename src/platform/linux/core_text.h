// The core's 8-bit texts as Qt strings.
#pragma once

#include <QString>
#include <string_view>

namespace pixolet::linux_common {

// Core texts are 8-bit. UTF-8 (file names, say) is shown as such, anything
// else byte for byte as Latin-1; Windows line breaks become plain ones.
QString FromCoreText(std::string_view text);

}  // namespace pixolet::linux_common
