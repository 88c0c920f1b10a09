#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace pixolet::win32 {

namespace {

// Deeper than any key the registry allows; stops a runaway recursion.
constexpr int kMaxDeleteDepth = 512;
// The registry's own limit on one value's data is far below this.
constexpr DWORD kMaxValueBytes = 64u << 20;

// Paths are relative to HKEY_CURRENT_USER; the advapi32 calls take them
// without the leading backslash that marks them absolute.
std::string RelativePath(std::string_view path) {
    while (!path.empty() && path.front() == '\\') path.remove_prefix(1);
    while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return std::string(path);
}

class KeyHandle {
  public:
    KeyHandle() = default;
    explicit KeyHandle(HKEY key) : key_(key) {}
    KeyHandle(KeyHandle&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    ~KeyHandle() {
        if (key_) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }
    HKEY* out() { return &key_; }

  private:
    HKEY key_ = nullptr;
};

class Win32Key : public RegistryKey {
  public:
    explicit Win32Key(KeyHandle key) : key_(std::move(key)) {}

    std::optional<RegValue> Query(std::string_view name) override {
        const std::string valueName(name);
        std::vector<BYTE> data(256);
        DWORD type = 0;
        LONG rc = ERROR_MORE_DATA;
        // The value may grow between two calls: ask again with its new size.
        for (int attempt = 0; attempt < 8 && rc == ERROR_MORE_DATA; ++attempt) {
            DWORD size = static_cast<DWORD>(data.size());
            rc =
                RegQueryValueExA(key_.get(), valueName.c_str(), nullptr, &type, data.data(), &size);
            if (rc == ERROR_SUCCESS) data.resize(size);
            if (rc == ERROR_MORE_DATA) {
                if (size > kMaxValueBytes) return std::nullopt;
                data.resize(std::max<std::size_t>(size, data.size() * 2));
            }
        }
        if (rc != ERROR_SUCCESS) return std::nullopt;

        RegValue value;
        switch (type) {
            case REG_SZ:
            case REG_EXPAND_SZ: {
                value.type = type == REG_SZ ? RegType::Sz : RegType::ExpandSz;
                // The stored NUL may be missing or be followed by more bytes.
                const char* text = reinterpret_cast<const char*>(data.data());
                value.text.assign(text, data.size());
                value.text.resize(value.text.find('\0') == std::string::npos
                                      ? value.text.size()
                                      : value.text.find('\0'));
                break;
            }
            case REG_DWORD:
                if (data.size() != sizeof(DWORD)) return std::nullopt;
                value.type = RegType::Dword;
                value.dword = static_cast<std::uint32_t>(data[0]) | (data[1] << 8) |
                              (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
                break;
            default:
                value.type = RegType::Binary;
                value.raw.assign(data.begin(), data.end());
        }
        return value;
    }

    bool SetDword(std::string_view name, std::uint32_t value) override {
        const DWORD data = value;
        return RegSetValueExA(key_.get(), std::string(name).c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
    }

    bool SetText(std::string_view name, std::string_view text, RegType type) override {
        if (type != RegType::Sz && type != RegType::ExpandSz) return false;
        if (text.size() >= kMaxValueBytes) return false;
        const std::string data(text);  // with its terminating NUL
        return RegSetValueExA(key_.get(), std::string(name).c_str(), 0,
                              type == RegType::Sz ? REG_SZ : REG_EXPAND_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()),
                              static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
    }

    bool DeleteValue(std::string_view name) override {
        const LONG rc = RegDeleteValueA(key_.get(), std::string(name).c_str());
        return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
    }

    std::size_t SubkeyCount() override {
        DWORD count = 0;
        if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return 0;
        return count;
    }

    std::vector<std::string> SubkeyNames() override { return EnumerateSubkeys(key_.get()); }

    static std::vector<std::string> EnumerateSubkeys(HKEY key) {
        std::vector<std::string> names;
        char name[MAX_PATH];  // key names are at most 255 characters
        for (DWORD index = 0;; ++index) {
            DWORD length = sizeof name;
            const LONG rc =
                RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (rc != ERROR_SUCCESS) break;  // ERROR_NO_MORE_ITEMS, or a failure
            names.emplace_back(name, length);
        }
        return names;
    }

  private:
    KeyHandle key_;
};

bool DeleteTree(HKEY parent, const std::string& path, int depth) {
    if (depth > kMaxDeleteDepth) return false;
    {
        KeyHandle key;
        if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, key.out()) != ERROR_SUCCESS)
            return false;
        // Collect first: deleting while enumerating shifts the indexes.
        for (const std::string& child : Win32Key::EnumerateSubkeys(key.get()))
            DeleteTree(key.get(), child, depth + 1);
    }
    return RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(std::string_view path) {
    KeyHandle key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, RelativePath(path).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.out(),
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32Key>(std::move(key));
}

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(std::string_view path) {
    const std::string relative = RelativePath(path);
    KeyHandle key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, relative.c_str(), 0, KEY_ALL_ACCESS, key.out()) ==
            ERROR_SUCCESS ||
        RegOpenKeyExA(HKEY_CURRENT_USER, relative.c_str(), 0, KEY_READ, key.out()) == ERROR_SUCCESS)
        return std::make_unique<Win32Key>(std::move(key));
    return nullptr;
}

bool Win32Registry::DeleteKey(std::string_view path) {
    const std::string relative = RelativePath(path);
    if (relative.empty()) return false;  // never the whole hive
    return DeleteTree(HKEY_CURRENT_USER, relative, 0);
}

}  // namespace pixolet::win32
