// The command line as one string (as Windows hands it to a program), split
// into arguments the way the Microsoft C runtime splits it for main().
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pixolet {

// Every argument, the program name first. Blanks and tabs separate
// arguments; double quotes group blanks into one argument and are removed.
// The program name ends at the first blank outside quotes and knows no
// escapes. In later arguments 2n backslashes before a quote give n
// backslashes and the quote groups; 2n+1 give n backslashes and a literal
// quote; backslashes before anything else are kept as they are; inside
// quotes, two quotes in a row give one literal quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// The arguments without the program name, as the start sequence takes them.
std::vector<std::string> CommandLineArguments(std::string_view commandLine);

}  // namespace pixolet
