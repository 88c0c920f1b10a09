// The text form of a colour as the store keeps it ("FontColor"): a colour
// name such as "clBlue" or "clWindowText", else "$" and eight hex digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pixolet {

// A colour name (any ASCII letter case); or optional leading blanks, an
// optional sign and decimal digits; or "$" and 1 to 8 hex digits of either
// case. Nothing for any other text and for decimals outside signed 32 bits.
std::optional<std::int32_t> ParseColourText(std::string_view text);

// The colour's name when it has one, else "$%.8X".
std::string FormatColourText(std::int32_t colour);

}  // namespace pixolet
