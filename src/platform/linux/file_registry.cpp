#include "platform/linux/file_registry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/linux/autostart_entry.h"
#include "platform/linux/store_file.h"
#include "settings/reg_file.h"
#include "settings/registry_paths.h"

namespace pixolet::linux_common {

namespace {

constexpr std::string_view kRunKey = kRunKeyPath + 1;  // without the leading backslash

// True when `path` is `ancestor` or lies below it (both normalised).
bool IsWithin(std::string_view path, std::string_view ancestor) {
    if (ancestor.empty()) return true;
    return path.size() >= ancestor.size() &&
           RegNamesEqual(path.substr(0, ancestor.size()), ancestor) &&
           (path.size() == ancestor.size() || path[ancestor.size()] == '\\');
}

class FileKey : public RegistryKey {
  public:
    FileKey(std::shared_ptr<const StoreFile> store, std::shared_ptr<const AutostartEntry> autostart,
            RegFileKey contents)
        : store_(std::move(store)),
          autostart_(std::move(autostart)),
          contents_(std::move(contents)),
          isRunKey_(RegNamesEqual(contents_.path, kRunKey)) {}

    ~FileKey() override {
        if (!pending_.empty()) Commit();  // a failure here has nobody to tell
    }

    std::optional<RegValue> Query(std::string_view name) override {
        if (IsRunValue(name)) {
            auto program = autostart_->Read();
            if (!program) return std::nullopt;
            RegValue value;
            value.text = std::move(*program);
            return value;
        }
        const RegFileValue* value = contents_.Find(name);
        if (!value) return std::nullopt;
        return value->value;
    }

    bool SetDword(std::string_view name, std::uint32_t data) override {
        if (IsRunValue(name)) return false;  // the start-up entry holds text only
        RegFileValue value;
        value.name = std::string(name);
        value.value.type = RegType::Dword;
        value.value.dword = data;
        return Set(std::move(value));
    }

    bool SetText(std::string_view name, std::string_view text, RegType type) override {
        if (type != RegType::Sz && type != RegType::ExpandSz) return false;
        text = text.substr(0, text.find('\0'));  // as the registry's readers see it
        if (IsRunValue(name)) return autostart_->Write(text);
        RegFileValue value;
        value.name = std::string(name);
        value.value.type = type;
        value.value.text = std::string(text);
        return Set(std::move(value));
    }

    bool DeleteValue(std::string_view name) override {
        if (IsRunValue(name)) return autostart_->Remove();
        if (!IsValidRegValueName(name)) return true;  // cannot be there
        contents_.Erase(name);
        pending_.push_back(Change{std::string(name), std::nullopt});
        return true;
    }

    std::size_t SubkeyCount() override { return SubkeyNames().size(); }

    std::vector<std::string> SubkeyNames() override {
        const auto snapshot = store_->Read();
        if (!snapshot) return {};
        return snapshot->document.SubkeyNames(contents_.path);
    }

    bool Commit() override {
        if (pending_.empty()) return true;
        const bool stored = store_->Update([this](RegFileDocument& doc) {
            bool changed = !doc.FindKey(contents_.path);
            RegFileKey& key = doc.EnsureKey(contents_.path);
            for (const Change& change : pending_) {
                if (!change.value) {
                    changed |= key.Erase(change.name);
                    continue;
                }
                const RegFileValue* old = key.Find(change.name);
                if (old && SameRegValue(*old, *change.value)) continue;
                key.Set(*change.value);
                changed = true;
            }
            return changed;
        });
        if (stored) pending_.clear();
        return stored;
    }

  private:
    struct Change {
        std::string name;
        std::optional<RegFileValue> value;  // nothing: delete the value
    };

    bool IsRunValue(std::string_view name) const {
        return isRunKey_ && RegNamesEqual(name, kRunValueName);
    }

    bool Set(RegFileValue value) {
        if (!IsValidRegValueName(value.name) || value.value.text.size() > kMaxRegValueBytes)
            return false;
        contents_.Set(value);
        // Compare against the value as stored, in the name's stored case.
        if (const RegFileValue* stored = contents_.Find(value.name)) value.name = stored->name;
        pending_.push_back(Change{value.name, std::move(value)});
        return true;
    }

    std::shared_ptr<const StoreFile> store_;
    std::shared_ptr<const AutostartEntry> autostart_;
    RegFileKey contents_;  // as read at opening, with this key's own changes
    std::vector<Change> pending_;
    bool isRunKey_;
};

std::filesystem::path ConfigHome() {
    // Only an absolute XDG_CONFIG_HOME counts; a relative one is to be ignored.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::filesystem::path(home) / ".config";
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
        return std::filesystem::path(found->pw_dir) / ".config";
    return {};
}

}  // namespace

FileRegistry::FileRegistry(std::filesystem::path storeFile, std::filesystem::path autostartDir)
    : store_(std::make_shared<StoreFile>(std::move(storeFile))),
      autostart_(std::make_shared<AutostartEntry>(autostartDir / "pixolet.desktop")) {}

FileRegistry::~FileRegistry() = default;

std::unique_ptr<FileRegistry> FileRegistry::ForCurrentUser() {
    const std::filesystem::path config = ConfigHome();
    if (config.empty()) return nullptr;
    return std::make_unique<FileRegistry>(config / "pixolet" / "registry.reg",
                                          config / "autostart");
}

std::unique_ptr<RegistryKey> FileRegistry::Open(std::string_view path, bool create) {
    const auto normal = NormaliseRegKeyPath(path);
    if (!normal) return nullptr;
    const bool runKey = RegNamesEqual(*normal, kRunKey);
    auto snapshot = store_->Read();

    RegFileKey contents{*normal, {}};
    const bool exists = snapshot && snapshot->document.HasKey(*normal);
    if (exists) {
        if (const RegFileKey* key = snapshot->document.FindKey(*normal)) contents = *key;
    } else if (runKey) {
        // The Run key always exists; its start-up value lives elsewhere.
    } else if (!create || !snapshot) {
        return nullptr;
    } else {
        const bool created = store_->Update([&](RegFileDocument& doc) {
            const bool isNew = !doc.FindKey(*normal);
            contents = doc.EnsureKey(*normal);
            return isNew;
        });
        if (!created) return nullptr;
    }
    contents.path = *normal;  // the caller's spelling; lookups ignore case
    return std::make_unique<FileKey>(store_, autostart_, std::move(contents));
}

std::unique_ptr<RegistryKey> FileRegistry::CreateKey(std::string_view path) {
    return Open(path, true);
}

std::unique_ptr<RegistryKey> FileRegistry::OpenKey(std::string_view path) {
    return Open(path, false);
}

bool FileRegistry::DeleteKey(std::string_view path) {
    const auto normal = NormaliseRegKeyPath(path);
    if (!normal || normal->empty()) return false;
    bool found = false;
    if (IsWithin(kRunKey, *normal)) {
        std::error_code ec;
        found = std::filesystem::exists(autostart_->Path(), ec) && autostart_->Remove();
    }
    // Nothing to delete in the file: do not create its folder just to look.
    const auto snapshot = store_->Read();
    if (snapshot && !snapshot->document.HasKey(*normal)) return found;
    const bool stored = store_->Update([&](RegFileDocument& doc) {
        const bool erased = doc.EraseTree(*normal) > 0;
        found |= erased;
        return erased;
    });
    return stored && found;
}

}  // namespace pixolet::linux_common
