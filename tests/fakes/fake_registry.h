// An in-memory registry with the registry's rules (case-insensitive names,
// exact types) and switches that make it refuse what a real one can refuse.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ports/registry_port.h"

namespace pixolet::fakes {

struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

class FakeRegistry : public Registry {
public:
    struct Key {
        std::map<std::string, RegValue, CaseInsensitiveLess> values;
    };
    // Keys by normalised path (no leading backslash), case-insensitive.
    std::map<std::string, Key, CaseInsensitiveLess> keys;

    // Paths that can be neither opened nor created.
    std::set<std::string, CaseInsensitiveLess> unopenable;
    // Value names whose writes are refused.
    std::set<std::string, CaseInsensitiveLess> refusedWrites;
    int openKeys = 0;  // keys currently open: must be 0 after every operation
    // Makes every key's Commit fail (the store could not keep the writes).
    bool refuseCommit = false;
    // Keys (by path) that DeleteKey refuses, and value names whose deletion
    // is refused.
    std::set<std::string, CaseInsensitiveLess> undeletableKeys;
    std::set<std::string, CaseInsensitiveLess> refusedDeletes;

    // Every accepted value write, in order.
    struct LoggedWrite {
        std::string key;  // normalised path
        std::string name;
        friend bool operator==(const LoggedWrite&, const LoggedWrite&) = default;
    };
    std::vector<LoggedWrite> writeLog;

    static std::string Normalise(std::string_view path);

    // Test helpers.
    bool HasKey(std::string_view path) const;
    const RegValue* Value(std::string_view path, std::string_view name) const;
    void SetDword(std::string_view path, std::string_view name, std::uint32_t v);
    void SetText(std::string_view path, std::string_view name, std::string_view text,
                 RegType type = RegType::Sz);

    std::unique_ptr<RegistryKey> CreateKey(std::string_view path) override;
    std::unique_ptr<RegistryKey> OpenKey(std::string_view path) override;
    bool DeleteKey(std::string_view path) override;
};

}  // namespace pixolet::fakes
