#include "settings/uninstall.h"

#include "settings/registry_paths.h"

namespace pixolet {

void RemoveRegistryEntries(Registry& registry) {
    if (const auto run = registry.OpenKey(kRunKeyPath)) {
        run->DeleteValue(kRunValueName);
        run->Commit();
    }
    // Opened only to see that it is there, and closed before it is deleted.
    const bool hasSettingsKey = registry.OpenKey(kSettingsKeyPath) != nullptr;
    if (hasSettingsKey) registry.DeleteKey(kSettingsKeyPath);
    bool companyKeyIsEmpty = false;
    if (const auto company = registry.OpenKey(kCompanyKeyPath))
        companyKeyIsEmpty = company->SubkeyCount() == 0;
    if (companyKeyIsEmpty) registry.DeleteKey(kCompanyKeyPath);
}

}  // namespace pixolet
