// The message boxes and the program's own path that the desktop services of
// both Linux layers hand to the core.
#pragma once

#include <string>
#include <string_view>

namespace pixolet::linux_common {

// The error box: the program's title as caption, an OK button.
void ShowErrorBox(std::string_view message);

// A warning with Yes and No, Yes the default; true for Yes.
bool AskYesNoBox(std::string_view caption, std::string_view text);

// The path of the running executable as /proc/self/exe names it, or Qt's
// idea of it where that link cannot be read.
std::string RunningExecutablePath();

}  // namespace pixolet::linux_common
