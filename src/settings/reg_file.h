// A registry hive as REGEDIT 5.00 text: the form in which the Linux store keeps
// the current user's keys, and which a person can read, edit and import on a
// Windows machine. Only keys under HKEY_CURRENT_USER are held; paths in the
// document are relative to that root ("Software\\Velmora\\Pixolet").
//
// The codec never fails: lines it cannot understand are skipped and counted,
// so the caller can keep a copy of the original before it overwrites them.
// Serialising a parsed document and parsing the result gives the same
// document again, and serialising is deterministic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/registry_port.h"

namespace pixolet {

// Largest value data the store accepts (text bytes or binary bytes).
inline constexpr std::size_t kMaxRegValueBytes = 1u << 20;
// Registry limits on names.
inline constexpr std::size_t kMaxRegKeyNameLength = 255;
inline constexpr std::size_t kMaxRegValueNameLength = 16383;
inline constexpr std::size_t kMaxRegKeyDepth = 512;

// ASCII-only letter-case-insensitive equality, as the store compares names.
bool RegNamesEqual(std::string_view a, std::string_view b);

// A path without leading or trailing backslashes, or nothing when it cannot
// name a key (an empty component, a control character, an over-long name).
// The empty path is the root itself.
std::optional<std::string> NormaliseRegKeyPath(std::string_view path);

// True when a value name can be stored ("" is the default value).
bool IsValidRegValueName(std::string_view name);

struct RegFileValue {
    std::string name;  // "" is the key's default value, written "@"
    RegValue value;
    // The registry type number of a Binary value: 3 for REG_BINARY, any other
    // number for types the program does not interpret, kept so that they
    // are written back as they were read.
    std::uint32_t binaryType = 3;
};

bool SameRegValue(const RegFileValue& a, const RegFileValue& b);

struct RegFileKey {
    std::string path;                  // normalised, in the letter case first written
    std::vector<RegFileValue> values;  // in file order, names unique

    const RegFileValue* Find(std::string_view name) const;
    // Replaces the data of a value with the same name (keeping that name's
    // letter case and position) or appends a new one.
    void Set(RegFileValue value);
    // False when there was no such value.
    bool Erase(std::string_view name);
};

struct RegFileDocument {
    std::vector<RegFileKey> keys;  // in file order, paths unique

    RegFileKey* FindKey(std::string_view path);
    const RegFileKey* FindKey(std::string_view path) const;
    // A key exists when it is listed or when a key below it is listed.
    bool HasKey(std::string_view path) const;
    // Finds the key or appends it, its missing parents first.
    RegFileKey& EnsureKey(std::string_view path);
    // Names of the direct subkeys, each once, in the order first met.
    std::vector<std::string> SubkeyNames(std::string_view path) const;
    // Removes the key and everything below it; the number of keys removed.
    std::size_t EraseTree(std::string_view path);

    friend bool operator==(const RegFileDocument& a, const RegFileDocument& b);
};

struct RegFileParse {
    RegFileDocument document;
    std::size_t skippedLines = 0;  // lines that could not be understood
};

RegFileParse ParseRegFile(std::string_view text);
std::string SerializeRegFile(const RegFileDocument& document);

}  // namespace pixolet
