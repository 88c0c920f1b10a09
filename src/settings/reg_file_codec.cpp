// Reading and writing REGEDIT 5.00 text.
#include <cstdio>
#include <unordered_map>

#include "settings/reg_file.h"
#include "settings/utf16_text.h"

namespace pixolet {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";
constexpr std::uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4;
// A value line with its continuation lines joined; large enough for the
// hex form of the largest value the store accepts.
constexpr std::size_t kMaxLogicalLine = 8u << 20;
// Hex lines are wrapped as regedit wraps them.
constexpr std::size_t kHexLineWidth = 76;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && RegNamesEqual(s.substr(0, prefix.size()), prefix);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// One to eight hex digits as a number, the whole of `s`.
std::optional<std::uint32_t> ParseHexNumber(std::string_view s) {
    if (s.empty() || s.size() > 8) return std::nullopt;
    std::uint32_t v = 0;
    for (char c : s) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return v;
}

class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ = end + 1;
        return true;
    }
    std::size_t Position() const { return pos_; }
    void Rewind(std::size_t pos) { pos_ = pos; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// A quoted string at the start of `s` with the escapes \\ and \"; a
// backslash before any other character stands for itself. `s` is advanced
// past the closing quote.
std::optional<std::string> ParseQuoted(std::string_view& s) {
    if (s.empty() || s.front() != '"') return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
        out += s[i];
    }
    return std::nullopt;
}

// The registry's readers stop at the first NUL.
void CutAtNul(std::string& text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
}

// The data of a hex value: the rest of its line and of the continuation
// lines that follow a trailing backslash. A line that begins a key or a value
// is never taken as a continuation, so a damaged value cannot swallow them.
std::optional<std::vector<std::uint8_t>> ReadHexList(std::string_view first, LineCursor& cursor) {
    std::string joined;
    bool tooLong = false;
    std::string_view part = Trim(first);
    for (;;) {
        const bool continues = !part.empty() && part.back() == '\\';
        if (continues) part.remove_suffix(1);
        if (joined.size() + part.size() > kMaxLogicalLine)
            tooLong = true;
        else
            joined.append(part);
        if (!continues) break;
        const std::size_t mark = cursor.Position();
        std::string_view next;
        if (!cursor.Next(next)) break;
        next = Trim(next);
        if (!next.empty() && (next.front() == '[' || next.front() == '"' || next.front() == '@')) {
            cursor.Rewind(mark);
            break;
        }
        part = next;
    }
    if (tooLong) return std::nullopt;

    std::vector<std::uint8_t> bytes;
    std::string_view rest = joined;
    while (!rest.empty()) {
        std::size_t comma = rest.find(',');
        std::string_view token = Trim(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (token.empty() && comma == std::string_view::npos) break;  // a trailing comma
        if (token.empty() || token.size() > 2) return std::nullopt;
        const auto v = ParseHexNumber(token);
        if (!v) return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*v));
    }
    return bytes;
}

std::optional<RegFileValue> ValueFromHex(std::uint32_t type, std::vector<std::uint8_t> bytes) {
    RegFileValue v;
    if (type == kRegSz || type == kRegExpandSz) {
        v.value.type = type == kRegSz ? RegType::Sz : RegType::ExpandSz;
        v.value.text = Utf16LeToUtf8(bytes);
        if (v.value.text.size() > kMaxRegValueBytes) return std::nullopt;
    } else if (type == kRegDword && bytes.size() == 4) {
        v.value.type = RegType::Dword;
        v.value.dword = static_cast<std::uint32_t>(bytes[0]) | (bytes[1] << 8) | (bytes[2] << 16) |
                        (static_cast<std::uint32_t>(bytes[3]) << 24);
    } else {
        if (bytes.size() > kMaxRegValueBytes) return std::nullopt;
        v.value.type = RegType::Binary;
        v.value.raw = std::move(bytes);
        v.binaryType = type;
    }
    return v;
}

// `"name"=data` or `@=data`, reading continuation lines from `cursor`.
std::optional<RegFileValue> ParseValueLine(std::string_view line, LineCursor& cursor) {
    std::string name;
    if (!line.empty() && line.front() == '@') {
        line.remove_prefix(1);
    } else {
        auto quoted = ParseQuoted(line);
        if (!quoted) return std::nullopt;
        name = std::move(*quoted);
    }
    line = Trim(line);
    if (line.empty() || line.front() != '=') return std::nullopt;
    line = Trim(line.substr(1));

    std::optional<RegFileValue> value;
    if (!line.empty() && line.front() == '"') {
        auto text = ParseQuoted(line);
        if (!text || !Trim(line).empty() || text->size() > kMaxRegValueBytes) return std::nullopt;
        CutAtNul(*text);
        value.emplace();
        value->value.type = RegType::Sz;
        value->value.text = std::move(*text);
    } else if (StartsWithNoCase(line, "dword:")) {
        const auto number = ParseHexNumber(line.substr(6));
        if (!number) return std::nullopt;
        value.emplace();
        value->value.type = RegType::Dword;
        value->value.dword = *number;
    } else if (StartsWithNoCase(line, "hex")) {
        line.remove_prefix(3);
        std::uint32_t type = kRegBinary;
        if (!line.empty() && line.front() == '(') {
            const std::size_t close = line.find(')');
            if (close == std::string_view::npos) return std::nullopt;
            const auto number = ParseHexNumber(line.substr(1, close - 1));
            if (!number) return std::nullopt;
            type = *number;
            line.remove_prefix(close + 1);
        }
        if (line.empty() || line.front() != ':') return std::nullopt;
        auto bytes = ReadHexList(line.substr(1), cursor);
        if (!bytes) return std::nullopt;
        value = ValueFromHex(type, std::move(*bytes));
    }
    if (!value || !IsValidRegValueName(name)) return std::nullopt;
    value->name = std::move(name);
    return value;
}

// The path of a key header "[HKEY_CURRENT_USER\...]"; nothing for other
// roots, deletions ("[-...]") and malformed paths.
std::optional<std::string> ParseKeyHeader(std::string_view line) {
    if (line.size() < 2 || line.back() != ']') return std::nullopt;
    std::string_view inner = line.substr(1, line.size() - 2);
    if (!StartsWithNoCase(inner, kRoot)) return std::nullopt;
    inner.remove_prefix(kRoot.size());
    if (inner.empty()) return std::string();
    if (inner.front() != '\\') return std::nullopt;
    inner.remove_prefix(1);
    auto path = NormaliseRegKeyPath(inner);
    if (!path || *path != inner) return std::nullopt;
    return path;
}

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Builds the document with indexes, so that a file with very many keys or
// values is read in linear time.
class DocumentBuilder {
  public:
    explicit DocumentBuilder(RegFileDocument& doc) : doc_(doc) {}

    std::size_t EnsureKey(const std::string& path) {
        for (std::size_t pos = path.find('\\'); pos != std::string::npos;
             pos = path.find('\\', pos + 1))
            Find(path.substr(0, pos));
        return Find(path);
    }

    void Set(std::size_t keyIndex, RegFileValue value) {
        std::string id = std::to_string(keyIndex) + '\\' + LowerAscii(value.name);
        auto [it, inserted] = values_.try_emplace(std::move(id), doc_.keys[keyIndex].values.size());
        auto& values = doc_.keys[keyIndex].values;
        if (inserted) {
            values.push_back(std::move(value));
        } else {
            value.name = std::move(values[it->second].name);
            values[it->second] = std::move(value);
        }
    }

  private:
    std::size_t Find(const std::string& path) {
        auto [it, inserted] = keys_.try_emplace(LowerAscii(path), doc_.keys.size());
        if (inserted) doc_.keys.push_back(RegFileKey{path, {}});
        return it->second;
    }

    RegFileDocument& doc_;
    std::unordered_map<std::string, std::size_t> keys_;
    std::unordered_map<std::string, std::size_t> values_;
};

void AppendQuoted(std::string& out, std::string_view s) {
    out += '"';
    for (char c : s) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

bool FitsQuotedForm(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return false;
    return true;
}

void AppendHex(std::string& out, std::size_t lineStart, std::string_view prefix,
               const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += prefix;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0xF];
        if (i + 1 == bytes.size()) break;
        out += ',';
        if (out.size() - lineStart > kHexLineWidth) {
            out += "\\\n  ";
            lineStart = out.size() - 2;
        }
    }
}

void AppendValue(std::string& out, const RegFileValue& v) {
    const std::size_t lineStart = out.size();
    if (v.name.empty())
        out += '@';
    else
        AppendQuoted(out, v.name);
    out += '=';
    const RegValue& value = v.value;
    switch (value.type) {
        case RegType::Sz:
            if (FitsQuotedForm(value.text)) {
                AppendQuoted(out, value.text);
                break;
            }
            [[fallthrough]];
        case RegType::ExpandSz: {
            std::vector<std::uint8_t> bytes = Utf8ToUtf16Le(value.text);
            bytes.insert(bytes.end(), {0, 0});
            AppendHex(out, lineStart, value.type == RegType::Sz ? "hex(1):" : "hex(2):", bytes);
            break;
        }
        case RegType::Dword: {
            char digits[16];
            std::snprintf(digits, sizeof digits, "dword:%08x", static_cast<unsigned>(value.dword));
            out += digits;
            break;
        }
        case RegType::Binary: {
            char prefix[24] = "hex:";
            if (v.binaryType != kRegBinary)
                std::snprintf(prefix, sizeof prefix,
                              "hex(%x):", static_cast<unsigned>(v.binaryType));
            AppendHex(out, lineStart, prefix, value.raw);
            break;
        }
    }
    out += '\n';
}

}  // namespace

RegFileParse ParseRegFile(std::string_view text) {
    RegFileParse result;
    std::string converted;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    } else if (text.starts_with("\xFF\xFE")) {  // regedit's own UTF-16LE export
        text.remove_prefix(2);
        converted = Utf16LeToUtf8(
            std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        text = converted;
    }

    DocumentBuilder builder(result.document);
    std::optional<std::size_t> current;  // the key that value lines belong to
    LineCursor cursor(text);
    std::string_view raw;
    while (cursor.Next(raw)) {
        const std::string_view line = Trim(raw);
        if (line.empty() || line.front() == ';' || line == kHeader || line == kOldHeader) continue;
        if (line.front() == '[') {
            const auto path = ParseKeyHeader(line);
            current = path ? std::optional(builder.EnsureKey(*path)) : std::nullopt;
            if (!path) ++result.skippedLines;
            continue;
        }
        auto value = ParseValueLine(line, cursor);
        if (value && current)
            builder.Set(*current, std::move(*value));
        else
            ++result.skippedLines;
    }
    return result;
}

std::string SerializeRegFile(const RegFileDocument& document) {
    std::string out;
    out += kHeader;
    out += "\n\n";
    for (const RegFileKey& key : document.keys) {
        const auto path = NormaliseRegKeyPath(key.path);
        if (!path || *path != key.path) continue;
        out += '[';
        out += kRoot;
        if (!key.path.empty()) out += '\\';
        out += key.path;
        out += "]\n";
        for (const RegFileValue& value : key.values)
            if (IsValidRegValueName(value.name)) AppendValue(out, value);
        out += '\n';
    }
    return out;
}

}  // namespace pixolet
