// The program's own version block, as the About page's logo reads it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pixolet::win32 {

// The block as 8-bit text. A block of a 32-bit resource holds its keys and
// values as UTF-16: each code unit becomes one byte (those above 0xFF a
// '?'), so that the text of its values can be searched as bytes. A block
// of 8-bit text comes back as it is.
std::string NarrowVersionBlock(std::string_view raw);

// GetFileVersionInfoA on the running executable's own file; nothing when
// the file has no version block or it cannot be read.
std::optional<std::string> ReadOwnVersionBlock();

// The running executable's full path as the system reports it.
std::string OwnExecutablePath();

}  // namespace pixolet::win32
