// The registry port over advapi32, rooted at HKEY_CURRENT_USER. Every key
// handle is closed with its RegistryKey object, on every path.
#pragma once

#include "ports/registry_port.h"

namespace pixolet::win32 {

class Win32Registry : public Registry {
  public:
    std::unique_ptr<RegistryKey> CreateKey(std::string_view path) override;
    std::unique_ptr<RegistryKey> OpenKey(std::string_view path) override;
    bool DeleteKey(std::string_view path) override;
};

}  // namespace pixolet::win32
