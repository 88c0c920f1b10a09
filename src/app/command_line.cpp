#include "app/command_line.h"

namespace pixolet {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program name: quotes group and vanish, nothing is escaped.
std::string ReadProgramName(std::string_view text, std::size_t& i) {
    std::string name;
    bool quoted = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (IsBlank(c) && !quoted) {
            break;
        } else {
            name += c;
        }
    }
    return name;
}

// One later argument, starting at a character that is not a blank.
std::string ReadArgument(std::string_view text, std::size_t& i) {
    std::string argument;
    bool quoted = false;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\\') {
            std::size_t backslashes = 0;
            while (i < text.size() && text[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                    ++i;
                }
                // An even count leaves the quote to the next round, where it groups.
            } else {
                argument.append(backslashes, '\\');
            }
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                argument += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        if (IsBlank(c) && !quoted) break;
        argument += c;
        ++i;
    }
    return argument;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    arguments.push_back(ReadProgramName(commandLine, i));
    for (;;) {
        while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
        if (i >= commandLine.size()) break;
        arguments.push_back(ReadArgument(commandLine, i));
    }
    return arguments;
}

std::vector<std::string> CommandLineArguments(std::string_view commandLine) {
    std::vector<std::string> arguments = SplitCommandLine(commandLine);
    arguments.erase(arguments.begin());
    return arguments;
}

}  // namespace pixolet
