#include "platform/linux/autostart_entry.h"

#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/linux/store_file.h"

namespace pixolet::linux_common {

namespace {

// Characters that make an Exec argument need quotes.
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#`()";
// Characters that take a backslash inside the quotes.
constexpr std::string_view kEscapedInQuotes = "\"`$\\";
// No desktop entry of ours comes near this.
constexpr std::streamsize kMaxEntryBytes = 1 << 20;

// The escapes every string value of a desktop entry uses: a backslash is
// written "\\", and control characters as \n, \t, \r.
std::string EscapeString(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UnescapeString(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        switch (s[++i]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                out += '\\', out += s[i];
        }
    }
    return out;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool IsFalse(std::string_view v) {
    return v == "false";
}
bool IsTrue(std::string_view v) {
    return v == "true";
}

}  // namespace

std::string ExecValueFor(std::string_view program) {
    std::string argument;
    const bool quote =
        program.empty() || program.find_first_of(kReserved) != std::string_view::npos;
    if (quote) argument += '"';
    for (char c : program) {
        if (c == '%') {
            argument += "%%";  // a literal percent sign, not a field code
            continue;
        }
        if (quote && kEscapedInQuotes.find(c) != std::string_view::npos) argument += '\\';
        argument += c;
    }
    if (quote) argument += '"';
    return EscapeString(argument);
}

std::string ProgramOfExecValue(std::string_view value) {
    const std::string exec = UnescapeString(value);
    std::size_t i = exec.find_first_not_of(" \t");
    std::string program;
    if (i == std::string::npos) return program;
    if (exec[i] == '"') {
        for (++i; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size() &&
                kEscapedInQuotes.find(exec[i + 1]) != std::string_view::npos)
                ++i;
            program += exec[i];
        }
    } else {
        for (; i < exec.size() && exec[i] != ' ' && exec[i] != '\t' && exec[i] != '\n'; ++i)
            program += exec[i];
    }
    std::string unpercented;
    for (std::size_t j = 0; j < program.size(); ++j) {
        unpercented += program[j];
        if (program[j] == '%' && j + 1 < program.size() && program[j + 1] == '%') ++j;
    }
    return unpercented;
}

std::string ProgramOnDisk(std::string_view program) {
    constexpr std::string_view kReplacedMark = " (deleted)";
    if (!program.ends_with(kReplacedMark)) return std::string(program);
    std::error_code error;
    // A file whose name really ends so is kept as it is.
    if (std::filesystem::exists(std::filesystem::path(program), error)) return std::string(program);
    return std::string(program.substr(0, program.size() - kReplacedMark.size()));
}

std::string AutostartEntryText(std::string_view program) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Pixolet\n"
           "Exec=" +
           ExecValueFor(program) +
           "\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::optional<std::string> AutostartEntry::Read() const {
    std::ifstream in(file_, std::ios::binary);
    if (!in) return std::nullopt;
    std::string program;
    bool inMainGroup = false;
    std::string line;
    std::streamsize total = 0;
    while (std::getline(in, line)) {
        total += static_cast<std::streamsize>(line.size()) + 1;
        if (total > kMaxEntryBytes) break;
        const std::string_view text = Trim(line);
        if (text.empty() || text.front() == '#') continue;
        if (text.front() == '[') {
            inMainGroup = text == "[Desktop Entry]";
            continue;
        }
        const std::size_t eq = text.find('=');
        if (!inMainGroup || eq == std::string_view::npos) continue;
        const std::string_view key = Trim(text.substr(0, eq));
        const std::string_view value = Trim(text.substr(eq + 1));
        if (key == "Exec") program = ProgramOfExecValue(value);
        // The desktop's own switch for turning an entry off.
        if ((key == "Hidden" && IsTrue(value)) ||
            (key == "X-GNOME-Autostart-enabled" && IsFalse(value)))
            return std::nullopt;
    }
    return program;
}

bool AutostartEntry::Write(std::string_view program) const {
    return EnsurePrivateFolder(file_.parent_path()) &&
           WriteFileAtomically(file_, AutostartEntryText(ProgramOnDisk(program)), 0644);
}

bool AutostartEntry::Remove() const {
    return ::unlink(file_.c_str()) == 0 || errno == ENOENT;
}

}  // namespace pixolet::linux_common
