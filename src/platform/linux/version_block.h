// The program's own version block. It is compiled into the executable as a
// section of its own (".pixolet_version") and read back from the executable
// file, the way a Windows program reads its version resource from its file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pixolet::linux_common {

// The block's bytes between its start and end markers, from the ELF file
// `image`; nothing when the file has no such section or the markers are
// missing.
std::optional<std::string> ExtractVersionBlock(std::string_view image);

// The block of the running executable (/proc/self/exe).
std::optional<std::string> ReadOwnVersionBlock();

}  // namespace pixolet::linux_common
