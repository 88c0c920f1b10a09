#include "fakes/fake_registry.h"

#include <algorithm>
#include <cctype>

namespace pixolet::fakes {

namespace {
char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
}  // namespace

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

std::string FakeRegistry::Normalise(std::string_view path) {
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return std::string(path);
}

namespace {

class FakeKey : public RegistryKey {
public:
    FakeKey(FakeRegistry& reg, std::string path) : reg_(reg), path_(std::move(path)) {
        ++reg_.openKeys;
    }
    ~FakeKey() override { --reg_.openKeys; }

    std::optional<RegValue> Query(std::string_view name) override {
        auto& values = reg_.keys[path_].values;
        auto it = values.find(std::string(name));
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool SetDword(std::string_view name, std::uint32_t value) override {
        if (reg_.refusedWrites.count(std::string(name))) return false;
        RegValue v;
        v.type = RegType::Dword;
        v.dword = value;
        reg_.keys[path_].values[std::string(name)] = v;
        reg_.writeLog.push_back({path_, std::string(name)});
        return true;
    }
    bool SetText(std::string_view name, std::string_view text, RegType type) override {
        if (reg_.refusedWrites.count(std::string(name))) return false;
        RegValue v;
        v.type = type;
        v.text = std::string(text);
        reg_.keys[path_].values[std::string(name)] = v;
        reg_.writeLog.push_back({path_, std::string(name)});
        return true;
    }
    bool DeleteValue(std::string_view name) override {
        if (reg_.refusedDeletes.count(std::string(name))) return false;
        reg_.keys[path_].values.erase(std::string(name));
        return true;
    }
    bool Commit() override { return !reg_.refuseCommit; }
    std::size_t SubkeyCount() override { return SubkeyNames().size(); }
    std::vector<std::string> SubkeyNames() override {
        std::vector<std::string> names;
        const std::string prefix = path_ + "\\";
        for (const auto& [p, key] : reg_.keys) {
            if (p.size() > prefix.size() && CaseInsensitiveEqualPrefix(p, prefix)) {
                std::string rest = p.substr(prefix.size());
                if (rest.find('\\') == std::string::npos) names.push_back(rest);
            }
        }
        return names;
    }

private:
    static bool CaseInsensitiveEqualPrefix(const std::string& s, const std::string& prefix) {
        for (std::size_t i = 0; i < prefix.size(); ++i)
            if (Lower(s[i]) != Lower(prefix[i])) return false;
        return true;
    }
    FakeRegistry& reg_;
    std::string path_;
};

}  // namespace

bool FakeRegistry::HasKey(std::string_view path) const { return keys.count(Normalise(path)) > 0; }

const RegValue* FakeRegistry::Value(std::string_view path, std::string_view name) const {
    auto k = keys.find(Normalise(path));
    if (k == keys.end()) return nullptr;
    auto v = k->second.values.find(std::string(name));
    return v == k->second.values.end() ? nullptr : &v->second;
}

void FakeRegistry::SetDword(std::string_view path, std::string_view name, std::uint32_t v) {
    RegValue value;
    value.type = RegType::Dword;
    value.dword = v;
    keys[Normalise(path)].values[std::string(name)] = value;
}

void FakeRegistry::SetText(std::string_view path, std::string_view name, std::string_view text,
                           RegType type) {
    RegValue value;
    value.type = type;
    value.text = std::string(text);
    keys[Normalise(path)].values[std::string(name)] = value;
}

std::unique_ptr<RegistryKey> FakeRegistry::CreateKey(std::string_view path) {
    const std::string p = Normalise(path);
    if (unopenable.count(p)) return nullptr;
    // Creating a key creates its parents, as the registry does.
    for (std::size_t pos = p.find('\\'); pos != std::string::npos; pos = p.find('\\', pos + 1))
        keys[p.substr(0, pos)];
    keys[p];
    return std::make_unique<FakeKey>(*this, p);
}

std::unique_ptr<RegistryKey> FakeRegistry::OpenKey(std::string_view path) {
    const std::string p = Normalise(path);
    if (unopenable.count(p) || !keys.count(p)) return nullptr;
    return std::make_unique<FakeKey>(*this, p);
}

bool FakeRegistry::DeleteKey(std::string_view path) {
    const std::string p = Normalise(path);
    if (!keys.count(p) || undeletableKeys.count(p)) return false;
    const std::string prefix = p + "\\";
    for (auto it = keys.begin(); it != keys.end();) {
        if (it->first == p || (it->first.size() > prefix.size() &&
                               CaseInsensitiveLess{}(it->first, prefix) == false &&
                               CaseInsensitiveLess{}(prefix, it->first.substr(0, prefix.size())) ==
                                   false))
            it = keys.erase(it);
        else
            ++it;
    }
    return true;
}

}  // namespace pixolet::fakes
