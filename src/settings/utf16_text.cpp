#include "settings/utf16_text.h"

namespace pixolet {

namespace {

constexpr char32_t kByteEscapeBase = 0xDC00;  // + byte 0x80..0xFF
constexpr char32_t kReplacement = 0xFFFD;

// Length of the valid UTF-8 sequence at the start of `s` and its code point,
// or 0 when the first byte does not begin one (overlong forms, surrogates and
// values above U+10FFFF are not valid).
std::size_t DecodeUtf8(std::string_view s, char32_t& cp) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(0);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < len) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

void PutUnit(std::vector<std::uint8_t>& out, char32_t unit) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
}

void PutUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::vector<std::uint8_t> Utf8ToUtf16Le(std::string_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() * 2);
    while (!text.empty()) {
        char32_t cp = 0;
        std::size_t len = DecodeUtf8(text, cp);
        if (len == 0) {
            PutUnit(out, kByteEscapeBase + static_cast<unsigned char>(text[0]));
            len = 1;
        } else if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            PutUnit(out, 0xD800 + (v >> 10));
            PutUnit(out, 0xDC00 + (v & 0x3FF));
        } else {
            PutUnit(out, cp);
        }
        text.remove_prefix(len);
    }
    return out;
}

std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes) {
    std::string out;
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<char32_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t u = unit(i);
        if (u == 0) break;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            PutUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (u >= kByteEscapeBase + 0x80 && u <= kByteEscapeBase + 0xFF) {
            out += static_cast<char>(u - kByteEscapeBase);
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            PutUtf8(out, kReplacement);
        } else {
            PutUtf8(out, u);
        }
    }
    return out;
}

}  // namespace pixolet
