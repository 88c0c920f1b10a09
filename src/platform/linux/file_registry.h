// The registry on Linux: the current user's keys in one REGEDIT text file,
// "${XDG_CONFIG_HOME:-$HOME/.config}/pixolet/registry.reg", shared safely by
// every process of the user (see StoreFile). A key reads the file when it is
// opened; its writes are kept in the key as a list of changes and stored by
// Commit, or by the key's destruction when still pending.
//
// The program's value under the Windows Run key is not kept in the file: it
// is the XDG autostart entry "pixolet.desktop", which the desktop reads at
// logon. Other values under the Run key are ordinary values.
#pragma once

#include <filesystem>
#include <memory>

#include "ports/registry_port.h"

namespace pixolet::linux_common {

class AutostartEntry;
class StoreFile;

class FileRegistry : public Registry {
  public:
    FileRegistry(std::filesystem::path storeFile, std::filesystem::path autostartDir);
    ~FileRegistry() override;

    // The store of the user running the process; nothing when neither
    // XDG_CONFIG_HOME nor a home folder is known.
    static std::unique_ptr<FileRegistry> ForCurrentUser();

    std::unique_ptr<RegistryKey> CreateKey(std::string_view path) override;
    std::unique_ptr<RegistryKey> OpenKey(std::string_view path) override;
    bool DeleteKey(std::string_view path) override;

  private:
    std::unique_ptr<RegistryKey> Open(std::string_view path, bool create);

    // Shared with the open keys, which may outlive the registry object.
    std::shared_ptr<const StoreFile> store_;
    std::shared_ptr<const AutostartEntry> autostart_;
};

}  // namespace pixolet::linux_common
