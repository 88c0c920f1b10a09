// The registry keeps text as UTF-16LE; the program holds it as 8-bit strings
// (UTF-8 where it is text at all). These conversions are lossless for every
// string without NUL: a byte that is not part of valid UTF-8 travels as the
// unpaired surrogate U+DC80..U+DCFF and comes back as that same byte.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pixolet {

// UTF-16LE code units of the text, without a terminating NUL.
std::vector<std::uint8_t> Utf8ToUtf16Le(std::string_view text);

// Text of UTF-16LE bytes up to the first NUL unit; an odd last byte is
// ignored, and an unpaired surrogate outside the byte escapes becomes U+FFFD.
std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes);

}  // namespace pixolet
