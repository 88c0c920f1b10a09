// The author line shown as the logo's hint: read from the program's own
// version block.
#pragma once

#include <string>
#include <string_view>

namespace pixolet {

inline constexpr std::size_t kMaxAuthorLineLength = 255;

// The text from the block's first "Auth" (searched as bytes), at most 255
// characters and never past the block's end, cut before its first carriage
// return. Empty when there is no "Auth" in the block.
std::string AuthorLine(std::string_view versionBlock);

}  // namespace pixolet
