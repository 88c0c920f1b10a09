// Every numeric Settings field that the store keeps under the settings key,
// described once: load, save, defaults and the range rule all walk this
// table. The defaults are those of a default-constructed Settings.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "settings/settings.h"

namespace pixolet {

// Stored as DWORD 0/1; any non-zero DWORD reads as true.
struct FlagField {
    bool Settings::*member;
};
// Stored zero-extended; a read keeps the low 16 bits.
struct ShortcutField {
    Shortcut Settings::*member;
};
// Stored as a signed 32-bit DWORD; a value outside min..max, or one that is
// not min plus a multiple of `step`, becomes the field's default (a negative
// black factor too becomes 100, not 0).
struct IntField {
    std::int32_t Settings::*member;
    std::int32_t min;
    std::int32_t max;
    std::int32_t step = 1;
};

struct StoredField {
    std::string_view valueName;
    std::variant<FlagField, ShortcutField, IntField> field;
};

// In the order of loading and saving. The registry numbers of the shortcuts
// do not follow the fields: "HotKey5" adds a point, "HotKey6" resets the
// points, "HotKey7" toggles measuring mode. Value names are persisted: never
// rename one. "CYMK" is spelt that way on purpose. Newer values are appended,
// so a store written before them keeps its meaning.
inline constexpr std::array<StoredField, 21> kStoredFields{{
    {"HotKey1", ShortcutField{&Settings::HotkeyCopyColor}},
    {"HotKey2", ShortcutField{&Settings::HotkeyPasteColor}},
    {"HotKey3", ShortcutField{&Settings::HotkeyFreezeWindow}},
    {"HotKey4", ShortcutField{&Settings::HotkeyFreezeColor}},
    {"Hex", FlagField{&Settings::ShowHex}},
    {"CYMK", FlagField{&Settings::ShowCmyk}},
    {"RGB", FlagField{&Settings::ShowRgb}},
    {"Coord", FlagField{&Settings::ShowCoordinates}},
    {"ClipboardFormat", IntField{&Settings::ClipboardFormat, 0, 8}},
    {"MouseClick", FlagField{&Settings::ClickAddsPoint}},
    {"HotKey5", ShortcutField{&Settings::HotkeyAddPoint}},
    {"HotKey6", ShortcutField{&Settings::HotkeyResetPoints}},
    {"HotKey7", ShortcutField{&Settings::HotkeyMeasure}},
    {"HotKey8", ShortcutField{&Settings::HotkeyShowHide}},
    {"HotKey9", ShortcutField{&Settings::HotkeyQuit}},
    {"Zoom", IntField{&Settings::Zoom, 1, 7}},
    {"RGB1", FlagField{&Settings::RgbAsPercent}},
    {"K", IntField{&Settings::CmykFactorK, 0, 100}},
    {"Contrast", FlagField{&Settings::ShowContrast}},
    {"Sample", IntField{&Settings::SampleSize, 1, 5, 2}},
    {"Angle", FlagField{&Settings::ShowAngle}},
}};

// The fields every store has held from the start; the save writes the font
// attributes after them and the newer fields last.
inline constexpr std::size_t kClassicFieldCount = 18;

// The DWORD that stores the field's value.
std::uint32_t StoredDword(const Settings& settings, const StoredField& field);
// Gives the field the value of a stored DWORD (no range rule here).
void SetFromDword(Settings& settings, const StoredField& field, std::uint32_t dword);
void SetDefault(Settings& settings, const StoredField& field);
// Every field of the table to its default; StartWithWindows is not in it.
void SetAllDefaults(Settings& settings);

// Zoom outside 1..7 becomes 4, ClipboardFormat outside 0..8 becomes 1,
// CmykFactorK outside 0..100 becomes 100, SampleSize other than 1, 3 or 5
// becomes 1. Each fix-up touches only its own
// field, so the order in which they run cannot matter.
void ApplyRangeRule(Settings& settings);

}  // namespace pixolet
