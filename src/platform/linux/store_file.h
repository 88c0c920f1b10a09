// The file that holds the Linux registry store, shared by every process of the
// user. Readers take a shared lock, writers an exclusive one on a lock file
// beside it; a writer re-reads the current file under its lock, changes it and
// replaces it atomically (temporary file, fsync, rename, fsync of the folder),
// so a crash or a second process never leaves a half-written or mixed file.
#pragma once

#include <filesystem>
#include <functional>

#include "settings/reg_file.h"

namespace pixolet::linux_common {

class StoreFile {
  public:
    explicit StoreFile(std::filesystem::path file);

    const std::filesystem::path& Path() const { return file_; }

    struct Snapshot {
        RegFileDocument document;
        bool exists = false;
        // Some of the file could not be understood and was left out.
        bool damaged = false;
    };
    // The current contents; a missing file reads as an empty document.
    // Nothing when the file exists but cannot be read at all.
    std::optional<Snapshot> Read() const;

    // Applies `change` to the current contents and stores the result; the
    // change returns false when it left the document as it was, and then
    // nothing is written. False when the store could not be written. Before
    // the first write over a damaged file a copy of it is kept beside it.
    bool Update(const std::function<bool(RegFileDocument&)>& change) const;

  private:
    std::filesystem::path file_;
    std::filesystem::path lockFile_;
};

// Creates the folder and its missing parents with mode 0700. False when it
// does not exist afterwards.
bool EnsurePrivateFolder(const std::filesystem::path& folder);

// Replaces `file` with `contents` through a temporary file in the same folder.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view contents,
                         unsigned mode = 0600);

}  // namespace pixolet::linux_common
