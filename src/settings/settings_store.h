// Loading and saving the Settings and the readout font: the settings key
// "\Software\Velmora\Pixolet" and the start-up value under the Run key.
#pragma once

#include <string_view>

#include "ports/registry_port.h"
#include "settings/settings.h"

namespace pixolet {

// Fills the record and the font's four stored attributes (face, size, colour,
// style) from the store; whatever is missing or unreadable keeps its fallback
// (defaults for the record, the current attribute for the font). Creates the
// Run key and the settings key when they are missing. Always ends with the
// range rule applied.
//
// A start-up value of a non-text type throws PixoletError "Invalid data type
// for 'Velmora Pixolet'", but only once everything else is loaded and fixed
// up, with StartWithWindows false: the caller reports the error and the
// program runs on with complete, in-range settings.
void LoadSettingsFrom(Registry& registry, Settings& settings, FontDescription& font);

// Writes or deletes the start-up value (holding `executablePath`), then every
// stored field, "Path" and the font attributes, in that order. Nothing is
// written when the settings key can be neither opened nor created. A write
// the store refuses throws PixoletError "Failed to set data for '<value>'"
// and ends the save there; earlier values stay written.
void SaveSettingsTo(Registry& registry, const Settings& settings, const FontDescription& font,
                    std::string_view executablePath);

}  // namespace pixolet
