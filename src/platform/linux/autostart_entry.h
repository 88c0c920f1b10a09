// The start-at-logon entry on a Linux desktop: an XDG autostart desktop entry
// ("<autostart folder>/pixolet.desktop") whose Exec line starts the program.
// It stands in for the program's value under the Windows Run key.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pixolet::linux_common {

// The Exec value that starts `program` with no arguments, in the file's
// escaped form: quoted when the path holds blanks or reserved characters.
std::string ExecValueFor(std::string_view program);

// The program (first argument) of an Exec value as it stands in the file.
std::string ProgramOfExecValue(std::string_view value);

// The program file as it is on disk now. A running program whose file has
// been replaced since it started (a package upgrade) is reported by the
// kernel as "<path> (deleted)"; the entry must name the new file at <path>.
std::string ProgramOnDisk(std::string_view program);

// The whole desktop entry for `program`.
std::string AutostartEntryText(std::string_view program);

class AutostartEntry {
  public:
    explicit AutostartEntry(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& Path() const { return file_; }

    // The program the entry starts; empty when it has no Exec line. Nothing
    // when there is no entry or the desktop has been told to skip it.
    std::optional<std::string> Read() const;
    // Creates or replaces the entry; false when it could not be written.
    bool Write(std::string_view program) const;
    // Removes the entry; an entry that is not there is no error.
    bool Remove() const;

  private:
    std::filesystem::path file_;
};

}  // namespace pixolet::linux_common
