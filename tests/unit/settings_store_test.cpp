#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/pixolet_error.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_registry.h"
#include "settings/font_fit.h"
#include "settings/registry_paths.h"

namespace pixolet {
namespace {

using fakes::FakeRegistry;

constexpr char kExe[] = "C:\\Program Files\\Pixolet\\Pixolet.exe";

class SettingsStore : public ::testing::Test {
  protected:
    FakeRegistry reg;
    Settings settings;
    FontDescription font;

    void StoreDword(std::string_view name, std::uint32_t v) {
        reg.SetDword(kSettingsKeyPath, name, v);
    }
    void StoreText(std::string_view name, std::string_view text) {
        reg.SetText(kSettingsKeyPath, name, text);
    }
    void Load() { LoadSettingsFrom(reg, settings, font); }
    void Save() { SaveSettingsTo(reg, settings, font, kExe); }
    const RegValue* Stored(std::string_view name) const {
        return reg.Value(kSettingsKeyPath, name);
    }
    std::vector<std::string> WrittenNames(std::string_view key) const {
        std::vector<std::string> names;
        for (const auto& w : reg.writeLog)
            if (w.key == FakeRegistry::Normalise(key)) names.push_back(w.name);
        return names;
    }
    std::string SaveError() {
        try {
            Save();
        } catch (const PixoletError& e) {
            return e.what();
        }
        return "no error";
    }
};

Settings Scrambled() {
    Settings s;
    s.StartWithWindows = true;
    s.ShowRgb = false;
    s.HotkeyCopyColor = 0;
    s.HotkeyQuit = 0x4051;
    s.Zoom = 7;
    return s;
}

TEST_F(SettingsStore, FirstStartGivesTheDefaultsAndLeavesAnEmptyKey) {
    settings = Scrambled();
    Load();
    EXPECT_EQ(settings, Settings{});
    EXPECT_EQ(font, FontDescription{});
    ASSERT_TRUE(reg.HasKey(kSettingsKeyPath));
    EXPECT_TRUE(reg.keys[FakeRegistry::Normalise(kSettingsKeyPath)].values.empty());
    EXPECT_TRUE(reg.HasKey(kRunKeyPath));
    EXPECT_TRUE(reg.writeLog.empty());
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(SettingsStore, OutOfRangeNumbersLoadAsTheirDefaults) {
    const std::pair<const char*, std::int32_t> stored[] = {
        {"Zoom", 0}, {"Zoom", 8},   {"ClipboardFormat", -1}, {"ClipboardFormat", 9}, {"K", -1},
        {"K", 101},  {"Sample", 2}, {"Sample", 0},           {"Sample", 6}};
    for (const auto& [name, value] : stored) {
        StoreDword(name, static_cast<std::uint32_t>(value));
        Load();
        EXPECT_EQ(settings, Settings{}) << name << " " << value;
    }
}

TEST_F(SettingsStore, NumbersAreReadAsSigned32Bits) {
    StoreDword("Zoom", 7);
    StoreDword("ClipboardFormat", 0);
    StoreDword("K", 0);
    Load();
    EXPECT_EQ(settings.Zoom, 7);
    EXPECT_EQ(settings.ClipboardFormat, 0);
    EXPECT_EQ(settings.CmykFactorK, 0);
    StoreDword("K", 0xFFFFFF9C);  // -100
    Load();
    EXPECT_EQ(settings.CmykFactorK, 100);
}

TEST_F(SettingsStore, AValueOfTheWrongTypeGivesItsDefault) {
    StoreText("Hex", "1");
    StoreText("RGB", "0");
    StoreText("Zoom", "2");
    RegValue binary;
    binary.type = RegType::Binary;
    binary.raw = {1, 0, 0, 0};
    reg.keys[FakeRegistry::Normalise(kSettingsKeyPath)].values["MouseClick"] = binary;
    settings = Scrambled();
    settings.ShowHex = true;
    settings.ClickAddsPoint = false;
    Load();
    EXPECT_EQ(settings, Settings{});
}

TEST_F(SettingsStore, AShortcutKeepsTheLow16Bits) {
    StoreDword("HotKey1", 0x00014043);
    Load();
    EXPECT_EQ(settings.HotkeyCopyColor, 0x4043);
}

TEST_F(SettingsStore, AnyNonZeroDwordIsTrue) {
    StoreDword("Hex", 7);
    StoreDword("RGB", 0);
    Load();
    EXPECT_TRUE(settings.ShowHex);
    EXPECT_FALSE(settings.ShowRgb);
}

TEST_F(SettingsStore, UnopenableSettingsKeyGivesDefaultsAndKeepsTheFont) {
    reg.SetText(kRunKeyPath, kRunValueName, kExe);
    reg.unopenable.insert(FakeRegistry::Normalise(kSettingsKeyPath));
    settings = Scrambled();
    settings.Zoom = 99;
    font.name = "Arial";
    font.bold = true;
    const FontDescription before = font;
    Load();
    Settings expected;
    expected.StartWithWindows = true;
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(font, before);
    EXPECT_FALSE(reg.HasKey(kSettingsKeyPath));
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(SettingsStore, StartWithWindowsIsANonEmptyStartUpText) {
    struct Case {
        const char* what;
        std::optional<RegValue> value;
        bool expected;
    };
    RegValue text{RegType::Sz, "D:\\elsewhere\\old.exe", 0, {}};
    RegValue expandText{RegType::ExpandSz, "%ProgramFiles%\\p.exe", 0, {}};
    RegValue empty{RegType::Sz, "", 0, {}};
    const Case cases[] = {{"text", text, true},
                          {"expandable text", expandText, true},
                          {"empty text", empty, false},
                          {"missing", std::nullopt, false}};
    for (const Case& c : cases) {
        FakeRegistry r;
        if (c.value) r.keys[FakeRegistry::Normalise(kRunKeyPath)].values[kRunValueName] = *c.value;
        Settings s = Scrambled();
        s.StartWithWindows = !c.expected;
        LoadSettingsFrom(r, s, font);
        EXPECT_EQ(s.StartWithWindows, c.expected) << c.what;
        EXPECT_TRUE(r.HasKey(kRunKeyPath)) << c.what;
    }
}

TEST_F(SettingsStore, UnopenableRunKeyMeansNoStartWithWindows) {
    reg.unopenable.insert(FakeRegistry::Normalise(kRunKeyPath));
    settings.StartWithWindows = true;
    Load();
    EXPECT_FALSE(settings.StartWithWindows);
    EXPECT_TRUE(reg.HasKey(kSettingsKeyPath));
}

// The start-up value of a non-text type: the error comes after a complete
// load, so the program goes on with settings that are whole and in range.
TEST_F(SettingsStore, NonTextStartUpValueFailsAfterACompleteLoad) {
    reg.SetDword(kRunKeyPath, kRunValueName, 1);
    StoreDword("Zoom", 6);
    StoreDword("K", 101);
    StoreDword("HotKey8", 0x4048);
    StoreText("FontName", "Arial");
    StoreText("FontStyle", "Bold");
    settings = Scrambled();
    settings.ClipboardFormat = 17;
    try {
        Load();
        FAIL() << "no error";
    } catch (const PixoletError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Velmora Pixolet'");
    }
    Settings expected;
    expected.Zoom = 6;
    expected.HotkeyShowHide = 0x4048;
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(font.name, "Arial");
    EXPECT_TRUE(font.bold);
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(SettingsStore, FaceNameIsCutTo31CharactersAndEmptyKeepsTheFace) {
    const std::string forty(40, 'x');
    StoreText("FontName", forty);
    Load();
    EXPECT_EQ(font.name, forty.substr(0, 31));
    StoreText("FontName", "");
    Load();
    EXPECT_EQ(font.name, forty.substr(0, 31));
    StoreDword("FontName", 5);
    Load();
    EXPECT_EQ(font.name, forty.substr(0, 31));
    StoreText("FontName", "Lucida Console");
    Load();
    EXPECT_EQ(font.name, "Lucida Console");
}

TEST_F(SettingsStore, FontSizeSetsTheFittedHeight) {
    StoreDword("FontSize", 14);
    Load();
    EXPECT_EQ(font.height, -18);
    StoreDword("FontSize", 8);
    Load();
    EXPECT_EQ(font.height, -10);
    Save();
    EXPECT_EQ(Stored("FontSize")->dword, 8u);
}

TEST_F(SettingsStore, FontSizeUsesTheFontsDpi) {
    font.dpi = 120;
    StoreDword("FontSize", 8);
    Load();
    EXPECT_EQ(font.height, -13);
}

TEST_F(SettingsStore, FontSizeOfTheWrongTypeOrAbsurdValue) {
    StoreText("FontSize", "12");
    Load();
    EXPECT_EQ(font.height, -10);
    StoreDword("FontSize", 0xFFFFFFFF);
    Load();
    EXPECT_EQ(PointSizeOf(font), kMinPointSize);
    StoreDword("FontSize", 0x7FFFFFFF);
    Load();
    EXPECT_EQ(PointSizeOf(font), kMaxPointSize);
}

TEST_F(SettingsStore, FontColourTextRules) {
    const std::pair<const char*, Colour> cases[] = {
        {"CLRED", 0x0000FF}, {"$ff", 0x0000FF}, {"255", 0x0000FF}, {"$00563412", 0x563412}};
    for (const auto& [text, colour] : cases) {
        font.colour = kBlue;
        StoreText("FontColor", text);
        Load();
        EXPECT_EQ(font.colour, colour) << text;
    }
    font.colour = 0x123456;
    StoreText("FontColor", "red");
    Load();
    EXPECT_EQ(font.colour, 0x123456u);
    reg.keys[FakeRegistry::Normalise(kSettingsKeyPath)].values.erase("FontColor");
    Load();
    EXPECT_EQ(font.colour, 0x123456u);
    StoreDword("FontColor", 0xFF);
    Load();
    EXPECT_EQ(font.colour, 0x123456u);
}

TEST_F(SettingsStore, FontStyleTextRules) {
    auto styled = [] {
        FontDescription f;
        f.bold = f.italic = f.underline = f.strikeOut = true;
        return f;
    };
    StoreText("FontStyle", "bold,underline");
    font = styled();
    Load();
    EXPECT_TRUE(font.bold && font.underline);
    EXPECT_FALSE(font.italic || font.strikeOut);

    StoreText("FontStyle", "Semibold");
    font = styled();
    Load();
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic || font.underline || font.strikeOut);

    StoreText("FontStyle", "");
    font = styled();
    Load();
    EXPECT_FALSE(font.bold || font.italic || font.underline || font.strikeOut);

    reg.keys[FakeRegistry::Normalise(kSettingsKeyPath)].values.erase("FontStyle");
    font = styled();
    Load();
    EXPECT_FALSE(font.bold || font.italic || font.underline || font.strikeOut);

    StoreDword("FontStyle", 1);
    font = styled();
    Load();
    EXPECT_EQ(font, styled());
}

TEST_F(SettingsStore, SaveWritesTheStartUpValueThenEveryValueInOrder) {
    settings.StartWithWindows = true;
    Save();
    ASSERT_FALSE(reg.writeLog.empty());
    EXPECT_EQ(reg.writeLog.front(),
              (FakeRegistry::LoggedWrite{FakeRegistry::Normalise(kRunKeyPath), kRunValueName}));
    const std::vector<std::string> expected = {
        "HotKey1", "HotKey2",  "HotKey3",         "HotKey4",    "Hex",       "CYMK",
        "RGB",     "Coord",    "ClipboardFormat", "MouseClick", "HotKey5",   "HotKey6",
        "HotKey7", "HotKey8",  "HotKey9",         "Zoom",       "RGB1",      "K",
        "Path",    "FontName", "FontSize",        "FontColor",  "FontStyle", "Contrast",
        "Sample",  "Angle"};
    EXPECT_EQ(WrittenNames(kSettingsKeyPath), expected);
    EXPECT_EQ(reg.writeLog.size(), expected.size() + 1);
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(SettingsStore, SaveWritesTheStoredForms) {
    settings.HotkeyQuit = 0xC079;
    settings.ShowHex = true;
    settings.CmykFactorK = 55;
    font.colour = MakeColour(0x12, 0x34, 0x56);
    font.bold = font.italic = true;
    Save();
    EXPECT_EQ(Stored("HotKey9")->type, RegType::Dword);
    EXPECT_EQ(Stored("HotKey9")->dword, 0xC079u);
    EXPECT_EQ(Stored("HotKey1")->dword, 0x4043u);
    EXPECT_EQ(Stored("Hex")->dword, 1u);
    EXPECT_EQ(Stored("CYMK")->dword, 0u);
    EXPECT_EQ(Stored("K")->dword, 55u);
    EXPECT_EQ(Stored("Path")->type, RegType::Sz);
    EXPECT_EQ(Stored("Path")->text, kExe);
    EXPECT_EQ(Stored("FontName")->text, "Courier New");
    EXPECT_EQ(Stored("FontSize")->dword, 8u);
    EXPECT_EQ(Stored("FontColor")->type, RegType::Sz);
    EXPECT_EQ(Stored("FontColor")->text, "$00563412");
    EXPECT_EQ(Stored("FontStyle")->text, " Bold  Italic ");
    EXPECT_EQ(Stored("Contrast")->type, RegType::Dword);
    EXPECT_EQ(Stored("Contrast")->dword, 0u);
    EXPECT_EQ(Stored("Sample")->dword, 1u);
    EXPECT_EQ(Stored("Angle")->dword, 0u);
    font = FontDescription{};
    Save();
    EXPECT_EQ(Stored("FontColor")->text, "clBlue");
    EXPECT_EQ(Stored("FontStyle")->text, "");
}

TEST_F(SettingsStore, StartUpValueHoldsTheBarePathAndIsDeletedWhenOff) {
    settings.StartWithWindows = true;
    Save();
    const RegValue* run = reg.Value(kRunKeyPath, kRunValueName);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->type, RegType::Sz);
    EXPECT_EQ(run->text, kExe);
    reg.SetText(kRunKeyPath, "Other program", "other.exe");
    settings.StartWithWindows = false;
    Save();
    EXPECT_EQ(reg.Value(kRunKeyPath, kRunValueName), nullptr);
    EXPECT_NE(reg.Value(kRunKeyPath, "Other program"), nullptr);
    EXPECT_EQ(SaveError(), "no error");  // nothing to delete is no error
    reg.refusedDeletes.insert(kRunValueName);
    EXPECT_EQ(SaveError(), "no error");
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(SettingsStore, UnknownValuesInTheKeyAreLeftAlone) {
    StoreText("Written by a later version", "keep me");
    Save();
    ASSERT_NE(Stored("Written by a later version"), nullptr);
    EXPECT_EQ(Stored("Written by a later version")->text, "keep me");
}

TEST_F(SettingsStore, ARefusedWriteStopsTheSaveWithItsName) {
    reg.refusedWrites.insert("Zoom");
    EXPECT_EQ(SaveError(), "Failed to set data for 'Zoom'");
    const std::vector<std::string> written = WrittenNames(kSettingsKeyPath);
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.back(), "HotKey9");
    EXPECT_EQ(Stored("RGB1"), nullptr);
    EXPECT_EQ(Stored("Path"), nullptr);
    EXPECT_EQ(Stored("FontStyle"), nullptr);
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(SettingsStore, ARefusedFontWriteIsNamedToo) {
    reg.refusedWrites.insert("fontcolor");
    EXPECT_EQ(SaveError(), "Failed to set data for 'FontColor'");
    EXPECT_EQ(WrittenNames(kSettingsKeyPath).back(), "FontSize");
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(SettingsStore, ARefusedStartUpValueStopsBeforeTheSettingsKey) {
    settings.StartWithWindows = true;
    reg.refusedWrites.insert(kRunValueName);
    EXPECT_EQ(SaveError(), "Failed to set data for 'Velmora Pixolet'");
    EXPECT_TRUE(reg.writeLog.empty());
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(SettingsStore, AFailedCommitNamesTheFirstValue) {
    reg.refuseCommit = true;
    EXPECT_EQ(SaveError(), "Failed to set data for 'HotKey1'");
    EXPECT_EQ(reg.openKeys, 0);
}

TEST_F(SettingsStore, UnopenableKeysOnSave) {
    reg.unopenable.insert(FakeRegistry::Normalise(kSettingsKeyPath));
    settings.StartWithWindows = true;
    EXPECT_EQ(SaveError(), "no error");
    EXPECT_FALSE(reg.HasKey(kSettingsKeyPath));
    EXPECT_NE(reg.Value(kRunKeyPath, kRunValueName), nullptr);

    FakeRegistry other;
    other.unopenable.insert(FakeRegistry::Normalise(kRunKeyPath));
    SaveSettingsTo(other, settings, font, kExe);
    EXPECT_FALSE(other.HasKey(kRunKeyPath));
    EXPECT_NE(other.Value(kSettingsKeyPath, "K"), nullptr);
    EXPECT_EQ(other.openKeys, 0);
}

TEST_F(SettingsStore, SaveThenLoadGivesEveryFieldBack) {
    Settings saved;
    saved.StartWithWindows = true;
    saved.ShowHex = true;
    saved.ShowCmyk = true;
    saved.ShowRgb = false;
    saved.RgbAsPercent = true;
    saved.ShowCoordinates = true;
    saved.ClickAddsPoint = false;
    saved.HotkeyCopyColor = 0x2043;
    saved.HotkeyPasteColor = 0x8056;
    saved.HotkeyFreezeWindow = 0x4046;
    saved.HotkeyFreezeColor = 0x6047;
    saved.HotkeyMeasure = 0x404D;
    saved.HotkeyAddPoint = 0x4041;
    saved.HotkeyResetPoints = 0x4052;
    saved.HotkeyShowHide = 0xC048;
    saved.HotkeyQuit = 0x0079;
    saved.ClipboardFormat = 8;
    saved.Zoom = 1;
    saved.CmykFactorK = 0;
    saved.ShowContrast = true;
    saved.SampleSize = 5;
    saved.ShowAngle = true;
    FontDescription savedFont;
    savedFont.name = "Lucida Console";
    SetPointSize(savedFont, 11);
    FitFontHeight(savedFont);
    savedFont.colour = 0x563412;
    savedFont.bold = true;
    savedFont.strikeOut = true;
    SaveSettingsTo(reg, saved, savedFont, kExe);

    Settings loaded = Settings{};
    FontDescription loadedFont;
    LoadSettingsFrom(reg, loaded, loadedFont);
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(loadedFont, savedFont);
    EXPECT_EQ(reg.openKeys, 0);
}

TEST(SettingsStoreWindow, LoadSettingsShowsTheFontAndTheMenuShortcuts) {
    fakes::FakeEnvironment env;
    env.registry.SetDword(kSettingsKeyPath, "HotKey8", 0x4048);
    env.registry.SetDword(kSettingsKeyPath, "HotKey9", 0x4051);
    env.registry.SetText(kSettingsKeyPath, "FontName", "Arial");
    env.window.LoadSettings();
    EXPECT_EQ(env.window.settings.HotkeyShowHide, 0x4048);
    EXPECT_EQ(env.window.ReadoutFont.name, "Arial");
    EXPECT_EQ(env.view.font, env.window.ReadoutFont);  // at 96 dpi, as it is
    EXPECT_EQ(env.view.menuShowHide, 0x4048);
    EXPECT_EQ(env.view.menuQuit, 0x4051);
    EXPECT_EQ(env.registry.openKeys, 0);
}

TEST(SettingsStoreWindow, LoadErrorComesAfterTheViewIsUpToDate) {
    fakes::FakeEnvironment env;
    env.registry.SetDword(kRunKeyPath, kRunValueName, 1);
    env.registry.SetDword(kSettingsKeyPath, "HotKey9", 0x4051);
    env.registry.SetText(kSettingsKeyPath, "FontStyle", "Italic");
    EXPECT_THROW(env.window.LoadSettings(), PixoletError);
    EXPECT_FALSE(env.window.settings.StartWithWindows);
    EXPECT_TRUE(env.view.font.italic);
    EXPECT_EQ(env.view.menuQuit, 0x4051);
}

TEST(SettingsStoreWindow, SaveSettingsStoresTheRunningExecutablesPath) {
    fakes::FakeEnvironment env;
    env.desktop.exePath = "/opt/my apps/pixolet";
    env.window.settings.StartWithWindows = true;
    env.window.SaveSettings();
    ASSERT_NE(env.registry.Value(kSettingsKeyPath, "Path"), nullptr);
    EXPECT_EQ(env.registry.Value(kSettingsKeyPath, "Path")->text, "/opt/my apps/pixolet");
    EXPECT_EQ(env.registry.Value(kRunKeyPath, kRunValueName)->text, "/opt/my apps/pixolet");
}

}  // namespace
}  // namespace pixolet
