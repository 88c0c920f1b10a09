// The document model of a REGEDIT file: keys, values and registry name rules.
#include "settings/reg_file.h"

#include <algorithm>

namespace pixolet {

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool HasControlCharacter(std::string_view s) {
    return std::any_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// True when `path` is `ancestor` or lies below it.
bool IsWithin(std::string_view path, std::string_view ancestor) {
    if (path.size() < ancestor.size()) return false;
    if (!RegNamesEqual(path.substr(0, ancestor.size()), ancestor)) return false;
    return path.size() == ancestor.size() || ancestor.empty() || path[ancestor.size()] == '\\';
}

}  // namespace

bool RegNamesEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::optional<std::string> NormaliseRegKeyPath(std::string_view path) {
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (HasControlCharacter(path)) return std::nullopt;
    std::size_t depth = 0;
    std::size_t start = 0;
    while (start <= path.size() && !path.empty()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        const std::size_t length = end - start;
        if (length == 0 || length > kMaxRegKeyNameLength) return std::nullopt;
        if (++depth > kMaxRegKeyDepth) return std::nullopt;
        start = end + 1;
    }
    return std::string(path);
}

bool IsValidRegValueName(std::string_view name) {
    return name.size() <= kMaxRegValueNameLength && !HasControlCharacter(name);
}

bool SameRegValue(const RegFileValue& a, const RegFileValue& b) {
    if (a.name != b.name || a.value.type != b.value.type) return false;
    switch (a.value.type) {
        case RegType::Sz:
        case RegType::ExpandSz:
            return a.value.text == b.value.text;
        case RegType::Dword:
            return a.value.dword == b.value.dword;
        case RegType::Binary:
            return a.binaryType == b.binaryType && a.value.raw == b.value.raw;
    }
    return false;
}

const RegFileValue* RegFileKey::Find(std::string_view name) const {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const RegFileValue& v) { return RegNamesEqual(v.name, name); });
    return it == values.end() ? nullptr : &*it;
}

void RegFileKey::Set(RegFileValue value) {
    auto it = std::find_if(values.begin(), values.end(), [&](const RegFileValue& v) {
        return RegNamesEqual(v.name, value.name);
    });
    if (it == values.end()) {
        values.push_back(std::move(value));
        return;
    }
    value.name = std::move(it->name);
    *it = std::move(value);
}

bool RegFileKey::Erase(std::string_view name) {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const RegFileValue& v) { return RegNamesEqual(v.name, name); });
    if (it == values.end()) return false;
    values.erase(it);
    return true;
}

RegFileKey* RegFileDocument::FindKey(std::string_view path) {
    auto it = std::find_if(keys.begin(), keys.end(),
                           [&](const RegFileKey& k) { return RegNamesEqual(k.path, path); });
    return it == keys.end() ? nullptr : &*it;
}

const RegFileKey* RegFileDocument::FindKey(std::string_view path) const {
    return const_cast<RegFileDocument*>(this)->FindKey(path);
}

bool RegFileDocument::HasKey(std::string_view path) const {
    return std::any_of(keys.begin(), keys.end(),
                       [&](const RegFileKey& k) { return IsWithin(k.path, path); });
}

RegFileKey& RegFileDocument::EnsureKey(std::string_view path) {
    for (std::size_t pos = path.find('\\'); pos != std::string_view::npos;
         pos = path.find('\\', pos + 1)) {
        const std::string_view parent = path.substr(0, pos);
        if (!FindKey(parent)) keys.push_back(RegFileKey{std::string(parent), {}});
    }
    if (RegFileKey* key = FindKey(path)) return *key;
    keys.push_back(RegFileKey{std::string(path), {}});
    return keys.back();
}

std::vector<std::string> RegFileDocument::SubkeyNames(std::string_view path) const {
    std::vector<std::string> names;
    for (const RegFileKey& key : keys) {
        if (key.path.size() == path.size() || !IsWithin(key.path, path)) continue;
        std::string_view rest = key.path;
        rest.remove_prefix(path.empty() ? 0 : path.size() + 1);
        rest = rest.substr(0, rest.find('\\'));
        const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            return RegNamesEqual(n, rest);
        });
        if (!known) names.emplace_back(rest);
    }
    return names;
}

std::size_t RegFileDocument::EraseTree(std::string_view path) {
    const std::string ancestor(path);  // `path` may point into a key that goes
    return std::erase_if(keys, [&](const RegFileKey& k) { return IsWithin(k.path, ancestor); });
}

bool operator==(const RegFileDocument& a, const RegFileDocument& b) {
    return std::equal(a.keys.begin(), a.keys.end(), b.keys.begin(), b.keys.end(),
                      [](const RegFileKey& x, const RegFileKey& y) {
                          return x.path == y.path &&
                                 std::equal(x.values.begin(), x.values.end(), y.values.begin(),
                                            y.values.end(), SameRegValue);
                      });
}

}  // namespace pixolet
