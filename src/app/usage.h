// The Linux program's informational switches: "--help" prints a short usage
// and "--version" the program's name and version; either one ends the
// program before anything else starts. Only the first argument is looked at,
// as for the splash switch; every other command line runs the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pixolet {

inline constexpr char kHelpSwitch[] = "--help";
inline constexpr char kVersionSwitch[] = "--version";

enum class InfoRequest { None, Help, Version };

// `args` are the command-line arguments without the program name.
InfoRequest InfoRequestOf(const std::vector<std::string>& args);

// "Pixolet 2.1.0" and a line feed.
std::string VersionText();

// The usage: the command line, the shortcuts with their defaults, where the
// settings and the start-at-login entry live (as the platform names them).
std::string UsageText(std::string_view settingsLocation, std::string_view autostartLocation);

}  // namespace pixolet
