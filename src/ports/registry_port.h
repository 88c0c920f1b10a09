// The registry as the core sees it: keys addressed by a path under the current
// user's root ("Software\\Velmora\\Pixolet"; a leading backslash is allowed and
// ignored), values with a name, a type and data. Names compare without regard
// to ASCII letter case, types are kept exactly.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pixolet {

enum class RegType : std::uint32_t {
    Sz = 1,        // REG_SZ
    ExpandSz = 2,  // REG_EXPAND_SZ
    Binary = 3,    // REG_BINARY, and any other type the store may hold
    Dword = 4,     // REG_DWORD
};

struct RegValue {
    RegType type = RegType::Sz;
    std::string text;               // Sz and ExpandSz, without the terminating NUL
    std::uint32_t dword = 0;        // Dword
    std::vector<std::uint8_t> raw;  // Binary
};

// An open key. Closing (destruction) releases it on every path. Writes may be
// buffered by the store until Commit or destruction.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // Type and data of a value, or nothing when it is missing or unreadable.
    virtual std::optional<RegValue> Query(std::string_view name) = 0;
    // False when the store refuses the write.
    virtual bool SetDword(std::string_view name, std::uint32_t value) = 0;
    virtual bool SetText(std::string_view name, std::string_view text,
                         RegType type = RegType::Sz) = 0;
    // Deleting a value that is not there is no error (true).
    virtual bool DeleteValue(std::string_view name) = 0;
    virtual std::size_t SubkeyCount() = 0;
    virtual std::vector<std::string> SubkeyNames() = 0;
    // Makes buffered writes durable; false when they could not be stored.
    virtual bool Commit() { return true; }
};

class Registry {
public:
    virtual ~Registry() = default;

    // Open-or-create with full access. Nothing when neither works.
    virtual std::unique_ptr<RegistryKey> CreateKey(std::string_view path) = 0;
    // Open only: full access first, read access when that is refused.
    virtual std::unique_ptr<RegistryKey> OpenKey(std::string_view path) = 0;
    // Deletes a key with its values and every subkey. False when it failed.
    virtual bool DeleteKey(std::string_view path) = 0;
};

}  // namespace pixolet
