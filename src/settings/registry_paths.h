// Where the program keeps its traces in the current user's registry.
#pragma once

namespace pixolet {

inline constexpr char kSettingsKeyPath[] = "\\Software\\Velmora\\Pixolet";
inline constexpr char kCompanyKeyPath[] = "\\Software\\Velmora";
inline constexpr char kRunKeyPath[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "Velmora Pixolet";

}  // namespace pixolet
