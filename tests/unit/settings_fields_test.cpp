#include "settings/settings_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pixolet {
namespace {

const StoredField& Field(std::string_view name) {
    for (const StoredField& f : kStoredFields)
        if (f.valueName == name) return f;
    ADD_FAILURE() << "no stored field " << name;
    return kStoredFields.front();
}

TEST(SettingsFields, AreLoadedAndSavedInTheStoredOrder) {
    std::vector<std::string> names;
    for (const StoredField& f : kStoredFields) names.emplace_back(f.valueName);
    const std::vector<std::string> expected = {
        "HotKey1", "HotKey2", "HotKey3", "HotKey4",         "Hex",
        "CYMK",    "RGB",     "Coord",   "ClipboardFormat", "MouseClick",
        "HotKey5", "HotKey6", "HotKey7", "HotKey8",         "HotKey9",
        "Zoom",    "RGB1",    "K",       "Contrast",        "Sample",
        "Angle"};
    EXPECT_EQ(names, expected);
}

// Each value name reaches its own field: a distinct value through every
// entry must land exactly where the record says.
TEST(SettingsFields, EachValueNameStoresItsField) {
    Settings s;
    std::uint32_t next = 0x101;
    // Flags all go to false here; the loop below checks each one on its own.
    for (const StoredField& f : kStoredFields)
        SetFromDword(s, f, std::holds_alternative<FlagField>(f.field) ? 0 : next++);
    Settings expected;
    expected.HotkeyCopyColor = 0x101;
    expected.HotkeyPasteColor = 0x102;
    expected.HotkeyFreezeWindow = 0x103;
    expected.HotkeyFreezeColor = 0x104;
    expected.ClipboardFormat = 0x105;
    expected.HotkeyAddPoint = 0x106;
    expected.HotkeyResetPoints = 0x107;
    expected.HotkeyMeasure = 0x108;
    expected.HotkeyShowHide = 0x109;
    expected.HotkeyQuit = 0x10A;
    expected.Zoom = 0x10B;
    expected.CmykFactorK = 0x10C;
    expected.SampleSize = 0x10D;
    expected.ShowHex = expected.ShowCmyk = expected.ShowRgb = expected.ShowCoordinates = false;
    expected.ClickAddsPoint = expected.RgbAsPercent = false;
    EXPECT_EQ(s, expected);

    const std::pair<const char*, bool Settings::*> flags[] = {
        {"Hex", &Settings::ShowHex},
        {"CYMK", &Settings::ShowCmyk},
        {"RGB", &Settings::ShowRgb},
        {"Coord", &Settings::ShowCoordinates},
        {"MouseClick", &Settings::ClickAddsPoint},
        {"RGB1", &Settings::RgbAsPercent},
        {"Contrast", &Settings::ShowContrast},
        {"Angle", &Settings::ShowAngle}};
    for (const auto& [name, member] : flags) {
        Settings t = expected;
        SetFromDword(t, Field(name), 1);
        Settings u = expected;
        u.*member = true;
        EXPECT_EQ(t, u) << name;
    }
}

TEST(SettingsFields, DwordRules) {
    Settings s;
    SetFromDword(s, Field("HotKey1"), 0x00014043);
    EXPECT_EQ(s.HotkeyCopyColor, 0x4043);
    SetFromDword(s, Field("Hex"), 2);
    EXPECT_TRUE(s.ShowHex);
    EXPECT_EQ(StoredDword(s, Field("Hex")), 1u);
    SetFromDword(s, Field("RGB"), 0);
    EXPECT_FALSE(s.ShowRgb);
    EXPECT_EQ(StoredDword(s, Field("RGB")), 0u);
    SetFromDword(s, Field("K"), 0xFFFFFFFF);
    EXPECT_EQ(s.CmykFactorK, -1);
    EXPECT_EQ(StoredDword(s, Field("K")), 0xFFFFFFFFu);
    s.HotkeyQuit = 0xC079;
    EXPECT_EQ(StoredDword(s, Field("HotKey9")), 0x0000C079u);
}

TEST(SettingsFields, DefaultsAreThoseOfTheRecordAndLeaveStartWithWindows) {
    Settings s;
    for (const StoredField& f : kStoredFields) SetFromDword(s, f, 0x77);
    s.StartWithWindows = true;
    SetAllDefaults(s);
    Settings expected;
    expected.StartWithWindows = true;
    EXPECT_EQ(s, expected);
    EXPECT_EQ(expected.HotkeyCopyColor, 0x4043);
    EXPECT_EQ(expected.HotkeyPasteColor, 0x4056);
}

struct RangeCase {
    std::int32_t Settings::*member;
    std::int32_t stored;
    std::int32_t loaded;
};

TEST(SettingsFields, RangeRuleReplacesOutOfRangeNumbersByTheirDefaults) {
    const RangeCase cases[] = {
        {&Settings::Zoom, 0, 4},
        {&Settings::Zoom, 1, 1},
        {&Settings::Zoom, 7, 7},
        {&Settings::Zoom, 8, 4},
        {&Settings::Zoom, -2147483647 - 1, 4},
        {&Settings::ClipboardFormat, -1, 1},
        {&Settings::ClipboardFormat, 0, 0},
        {&Settings::ClipboardFormat, 4, 4},
        {&Settings::ClipboardFormat, 5, 5},
        {&Settings::ClipboardFormat, 8, 8},
        {&Settings::ClipboardFormat, 9, 1},
        {&Settings::CmykFactorK, -1, 100},
        {&Settings::CmykFactorK, 0, 0},
        {&Settings::CmykFactorK, 100, 100},
        {&Settings::CmykFactorK, 101, 100},
        {&Settings::CmykFactorK, 2147483647, 100},
        // Only 1, 3 and 5 are sample sizes.
        {&Settings::SampleSize, 1, 1},
        {&Settings::SampleSize, 3, 3},
        {&Settings::SampleSize, 5, 5},
        {&Settings::SampleSize, 0, 1},
        {&Settings::SampleSize, 2, 1},
        {&Settings::SampleSize, 4, 1},
        {&Settings::SampleSize, 7, 1},
        {&Settings::SampleSize, -1, 1},
        {&Settings::SampleSize, -2147483647 - 1, 1},
        {&Settings::SampleSize, 2147483647, 1},
    };
    for (const RangeCase& c : cases) {
        Settings s;
        s.*c.member = c.stored;
        Settings expected;
        expected.*c.member = c.loaded;
        ApplyRangeRule(s);
        EXPECT_EQ(s, expected) << "stored " << c.stored;
    }
}

TEST(SettingsFields, RangeRuleLeavesFlagsAndShortcutsAlone) {
    Settings s;
    s.ShowHex = true;
    s.ClickAddsPoint = false;
    s.HotkeyQuit = 0xFFFF;
    s.Zoom = 9;
    s.ClipboardFormat = 9;
    s.CmykFactorK = -9;
    s.ShowContrast = true;
    s.ShowAngle = true;
    ApplyRangeRule(s);
    Settings expected;
    expected.ShowHex = true;
    expected.ClickAddsPoint = false;
    expected.HotkeyQuit = 0xFFFF;
    expected.ShowContrast = true;
    expected.ShowAngle = true;
    EXPECT_EQ(s, expected);
}

}  // namespace
}  // namespace pixolet
