// The advapi32 registry store, run under Wine in a throw-away key.
#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace pixolet::win32 {
namespace {

class Win32RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        base_ = "\\Software\\PixoletTest\\" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount());
    }
    void TearDown() override {
        reg_.DeleteKey(base_);
        reg_.DeleteKey("\\Software\\PixoletTest");  // only when no other run uses it
    }
    std::string Path(const char* sub) const { return base_ + "\\" + sub; }

    Win32Registry reg_;
    std::string base_;
};

TEST_F(Win32RegistryTest, ValuesKeepTheirTypesAndNamesIgnoreCase) {
    auto key = reg_.CreateKey(Path("Settings"));
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->SetDword("Zoom", 0xFFFFFFFEu));
    EXPECT_TRUE(key->SetText("FontName", "Courier New"));
    EXPECT_TRUE(key->SetText("Path", "%TEMP%\\x", RegType::ExpandSz));
    EXPECT_TRUE(key->SetText("Empty", ""));
    EXPECT_FALSE(key->SetText("Binary", "x", RegType::Binary));
    key.reset();

    auto again = reg_.OpenKey(Path("settings"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->Query("zoom")->type, RegType::Dword);
    EXPECT_EQ(again->Query("ZOOM")->dword, 0xFFFFFFFEu);
    EXPECT_EQ(again->Query("FontName")->text, "Courier New");
    EXPECT_EQ(again->Query("Path")->type, RegType::ExpandSz);
    EXPECT_EQ(again->Query("Path")->text, "%TEMP%\\x");  // nothing expanded
    EXPECT_EQ(again->Query("Empty")->text, "");
    EXPECT_EQ(again->Query("Missing"), std::nullopt);
    EXPECT_TRUE(again->DeleteValue("Zoom"));
    EXPECT_TRUE(again->DeleteValue("Zoom"));  // missing is no error
    EXPECT_EQ(again->Query("Zoom"), std::nullopt);
}

TEST_F(Win32RegistryTest, LongValuesAreReadWhole) {
    const std::string text(100000, 'q');
    auto key = reg_.CreateKey(Path("Long"));
    ASSERT_TRUE(key->SetText("Text", text));
    EXPECT_EQ(key->Query("Text")->text, text);
}

TEST_F(Win32RegistryTest, OtherTypesReadAsBinary) {
    auto key = reg_.CreateKey(Path("Raw"));
    ASSERT_NE(key, nullptr);
    HKEY raw = nullptr;
    const std::string relative = Path("Raw").substr(1);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, relative.c_str(), 0, KEY_SET_VALUE, &raw),
              ERROR_SUCCESS);
    const BYTE bytes[] = {1, 2, 3};
    RegSetValueExA(raw, "Blob", 0, REG_BINARY, bytes, sizeof bytes);
    RegSetValueExA(raw, "Short", 0, REG_DWORD, bytes, 2);  // a DWORD of two bytes
    RegCloseKey(raw);
    EXPECT_EQ(key->Query("Blob")->raw, (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(key->Query("Short"), std::nullopt);
}

TEST_F(Win32RegistryTest, DeleteKeyRemovesEverySubkey) {
    ASSERT_NE(reg_.CreateKey(Path("Company\\Product\\Deep\\Deeper")), nullptr);
    ASSERT_NE(reg_.CreateKey(Path("Company\\Other")), nullptr);
    EXPECT_EQ(reg_.OpenKey(Path("Company"))->SubkeyCount(), 2u);

    EXPECT_TRUE(reg_.DeleteKey(Path("Company\\Product")));
    EXPECT_EQ(reg_.OpenKey(Path("Company\\Product")), nullptr);
    auto company = reg_.OpenKey(Path("Company"));
    EXPECT_EQ(company->SubkeyNames(), (std::vector<std::string>{"Other"}));
    EXPECT_FALSE(reg_.DeleteKey(Path("Company\\Product")));  // already gone
    EXPECT_EQ(reg_.OpenKey(Path("Nothing")), nullptr);
}

}  // namespace
}  // namespace pixolet::win32
