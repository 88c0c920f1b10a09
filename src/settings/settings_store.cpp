#include "settings/settings_store.h"

#include <exception>
#include <optional>
#include <string>

#include "app/pixolet_error.h"
#include "readout/readout_window.h"
#include "settings/colour_text.h"
#include "settings/font_fit.h"
#include "settings/registry_paths.h"
#include "settings/settings_fields.h"
#include "settings/style_text.h"

namespace pixolet {

namespace {

// The platform's face-name limit, without the terminating NUL.
constexpr std::size_t kMaxFaceNameLength = 31;

constexpr char kPathValue[] = "Path";
constexpr char kFontNameValue[] = "FontName";
constexpr char kFontSizeValue[] = "FontSize";
constexpr char kFontColorValue[] = "FontColor";
constexpr char kFontStyleValue[] = "FontStyle";

std::optional<std::uint32_t> ReadDword(RegistryKey& key, std::string_view name) {
    const std::optional<RegValue> value = key.Query(name);
    if (!value || value->type != RegType::Dword) return std::nullopt;
    return value->dword;
}

// A missing value reads as the empty text; a value that is not text fails.
std::optional<std::string> ReadText(RegistryKey& key, std::string_view name) {
    const std::optional<RegValue> value = key.Query(name);
    if (!value) return std::string();
    if (value->type != RegType::Sz && value->type != RegType::ExpandSz) return std::nullopt;
    return value->text;
}

[[noreturn]] void ThrowWriteRefused(std::string_view name) {
    throw PixoletError("Failed to set data for '" + std::string(name) + "'");
}

void Require(bool written, std::string_view name) {
    if (!written) ThrowWriteRefused(name);
}

// Returns false when the start-up value exists with a type that is not text.
bool LoadStartWithWindows(Registry& registry, Settings& settings) {
    settings.StartWithWindows = false;
    const std::unique_ptr<RegistryKey> run = registry.CreateKey(kRunKeyPath);
    if (!run) return true;
    const std::optional<std::string> path = ReadText(*run, kRunValueName);
    if (!path) return false;
    settings.StartWithWindows = !path->empty();
    return true;
}

// A read that fails leaves its attribute as it is.
void LoadFont(RegistryKey& key, FontDescription& font) {
    if (const auto name = ReadText(key, kFontNameValue); name && !name->empty())
        font.name = name->substr(0, kMaxFaceNameLength);
    if (const auto size = ReadDword(key, kFontSizeValue)) {
        SetPointSize(font, static_cast<std::int32_t>(*size));
        FitFontHeight(font);
    }
    if (const auto colourText = ReadText(key, kFontColorValue))
        if (const auto colour = ParseColourText(*colourText))
            font.colour = static_cast<Colour>(*colour);
    // A missing style reads as the empty text and so clears every style.
    if (const auto style = ReadText(key, kFontStyleValue)) ApplyStyleText(*style, font);
}

void LoadFromSettingsKey(Registry& registry, Settings& settings, FontDescription& font) {
    const std::unique_ptr<RegistryKey> key = registry.CreateKey(kSettingsKeyPath);
    if (!key) {
        SetAllDefaults(settings);
        return;
    }
    for (const StoredField& field : kStoredFields) {
        if (const auto dword = ReadDword(*key, field.valueName))
            SetFromDword(settings, field, *dword);
        else
            SetDefault(settings, field);
    }
    LoadFont(*key, font);
}

void SaveStartWithWindows(Registry& registry, const Settings& settings,
                          std::string_view executablePath) {
    const std::unique_ptr<RegistryKey> run = registry.CreateKey(kRunKeyPath);
    if (!run) return;
    if (settings.StartWithWindows) {
        Require(run->SetText(kRunValueName, executablePath), kRunValueName);
        Require(run->Commit(), kRunValueName);
    } else {
        // A value that is not there, or a deletion that fails, is no error.
        run->DeleteValue(kRunValueName);
        run->Commit();
    }
}

}  // namespace

void LoadSettingsFrom(Registry& registry, Settings& settings, FontDescription& font) {
    const bool runValueReadable = LoadStartWithWindows(registry, settings);
    LoadFromSettingsKey(registry, settings, font);
    ApplyRangeRule(settings);
    // The unreadable start-up value is reported only now, after the rest of
    // the load, so that the record the program goes on with is complete and
    // in range rather than left half-loaded.
    if (!runValueReadable)
        throw PixoletError("Invalid data type for '" + std::string(kRunValueName) + "'");
}

void SaveSettingsTo(Registry& registry, const Settings& settings, const FontDescription& font,
                    std::string_view executablePath) {
    SaveStartWithWindows(registry, settings, executablePath);

    const std::unique_ptr<RegistryKey> key = registry.CreateKey(kSettingsKeyPath);
    if (!key) return;
    auto writeFields = [&](std::size_t first, std::size_t end) {
        for (std::size_t i = first; i < end; ++i) {
            const StoredField& field = kStoredFields[i];
            Require(key->SetDword(field.valueName, StoredDword(settings, field)), field.valueName);
        }
    };
    writeFields(0, kClassicFieldCount);
    Require(key->SetText(kPathValue, executablePath), kPathValue);
    Require(key->SetText(kFontNameValue, font.name), kFontNameValue);
    Require(key->SetDword(kFontSizeValue, static_cast<std::uint32_t>(PointSizeOf(font))),
            kFontSizeValue);
    Require(key->SetText(kFontColorValue, FormatColourText(static_cast<std::int32_t>(font.colour))),
            kFontColorValue);
    Require(key->SetText(kFontStyleValue, StyleTextOf(font)), kFontStyleValue);
    writeFields(kClassicFieldCount, kStoredFields.size());
    // Writes the store held back and could not keep: none of the save reached
    // it, so the first value of the save is the one named.
    Require(key->Commit(), kStoredFields.front().valueName);
}

void TfrmPixoletMain::LoadSettings() {
    const ReadoutPorts& ports = Ports();
    // The view shows what was loaded even when the load ends with an error:
    // the record and the font are complete then too.
    std::exception_ptr error;
    try {
        LoadSettingsFrom(ports.registry, settings, ReadoutFont);
    } catch (const PixoletError&) {
        error = std::current_exception();
    }
    ports.view.SetFont(ViewFont());
    ports.view.SetMenuShortcuts(settings.HotkeyShowHide, settings.HotkeyQuit);
    if (error) std::rethrow_exception(error);
}

void TfrmPixoletMain::SaveSettings() {
    const ReadoutPorts& ports = Ports();
    SaveSettingsTo(ports.registry, settings, ReadoutFont, ports.desktop.ExecutablePath());
}

}  // namespace pixolet
