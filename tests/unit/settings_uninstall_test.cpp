#include <gtest/gtest.h>

#include "fakes/fake_registry.h"
#include "settings/registry_paths.h"
#include "settings/uninstall.h"

namespace pixolet {
namespace {

using fakes::FakeRegistry;

const std::string kRun = FakeRegistry::Normalise(kRunKeyPath);
const std::string kSettings = FakeRegistry::Normalise(kSettingsKeyPath);
const std::string kCompany = FakeRegistry::Normalise(kCompanyKeyPath);

// Keys made the way the program makes them, parents included.
void MakeKey(FakeRegistry& reg, const std::string& path) {
    reg.CreateKey(path);
}

class Uninstall : public ::testing::Test {
protected:
    FakeRegistry reg;

    void Install() {
        MakeKey(reg, kRun);
        MakeKey(reg, kSettings);
        reg.SetText(kRun, kRunValueName, "C:\\Pixolet.exe");
        reg.SetText(kRun, "Other program", "other.exe");
        reg.SetDword(kSettings, "Zoom", 5);
        reg.SetText(kSettings, "Path", "C:\\Pixolet.exe");
    }
};

TEST_F(Uninstall, RemovesTheStartUpValueTheSettingsKeyAndTheEmptyCompanyKey) {
    Install();
    reg.SetText(kCompany, "Company value", "x");
    RemoveRegistryEntries(reg);
    EXPECT_EQ(reg.Value(kRun, kRunValueName), nullptr);
    EXPECT_NE(reg.Value(kRun, "Other program"), nullptr);
    EXPECT_FALSE(reg.HasKey(kSettings));
    EXPECT_FALSE(reg.HasKey(kCompany));
    EXPECT_TRUE(reg.HasKey("Software"));
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(Uninstall, KeepsACompanyKeyThatHoldsAnotherProgram) {
    Install();
    MakeKey(reg, "Software\\Velmora\\Other\\Deeper");
    RemoveRegistryEntries(reg);
    EXPECT_FALSE(reg.HasKey(kSettings));
    EXPECT_TRUE(reg.HasKey(kCompany));
    EXPECT_TRUE(reg.HasKey("Software\\Velmora\\Other\\Deeper"));
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(Uninstall, DeletesTheSettingsKeyWithItsSubkeys) {
    Install();
    MakeKey(reg, kSettings + "\\Stray");
    RemoveRegistryEntries(reg);
    EXPECT_FALSE(reg.HasKey(kSettings + "\\Stray"));
    EXPECT_FALSE(reg.HasKey(kSettings));
    EXPECT_FALSE(reg.HasKey(kCompany));
}

TEST_F(Uninstall, CreatesNothingWhenNothingIsThere) {
    RemoveRegistryEntries(reg);
    EXPECT_TRUE(reg.keys.empty());
    EXPECT_TRUE(reg.writeLog.empty());
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(Uninstall, SettingsKeyRemovedByHandStillRemovesTheCompanyKey) {
    Install();
    reg.DeleteKey(kSettings);
    RemoveRegistryEntries(reg);
    EXPECT_FALSE(reg.HasKey(kCompany));
    EXPECT_EQ(reg.Value(kRun, kRunValueName), nullptr);
}

TEST_F(Uninstall, EveryFailureIsIgnoredAndTheLaterStepsStillRun) {
    Install();
    reg.unopenable.insert(kRun);
    RemoveRegistryEntries(reg);
    EXPECT_NE(reg.Value(kRun, kRunValueName), nullptr);
    EXPECT_FALSE(reg.HasKey(kSettings));
    EXPECT_FALSE(reg.HasKey(kCompany));

    FakeRegistry stuck;
    MakeKey(stuck, kRun);
    MakeKey(stuck, kSettings);
    stuck.SetText(kRun, kRunValueName, "C:\\Pixolet.exe");
    stuck.SetDword(kSettings, "Zoom", 5);
    stuck.refusedDeletes.insert(kRunValueName);
    stuck.undeletableKeys.insert(kSettings);
    RemoveRegistryEntries(stuck);
    EXPECT_NE(stuck.Value(kRun, kRunValueName), nullptr);
    EXPECT_TRUE(stuck.HasKey(kSettings));
    EXPECT_TRUE(stuck.HasKey(kCompany));  // still holds the settings key
    EXPECT_EQ(stuck.openKeys, 0);

    FakeRegistry hidden;
    MakeKey(hidden, kSettings);
    hidden.SetDword(kSettings, "Zoom", 5);
    hidden.unopenable.insert(kSettings);
    RemoveRegistryEntries(hidden);
    EXPECT_TRUE(hidden.HasKey(kSettings));
    EXPECT_TRUE(hidden.HasKey(kCompany));
    EXPECT_FALSE(hidden.HasKey(kRun));  // not created on the way
    EXPECT_EQ(hidden.openKeys, 0);
}

}  // namespace
}  // namespace pixolet
