#include "platform/linux/store_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>

namespace pixolet::linux_common {

namespace {

// A store larger than this is not the program's: it is kept aside, not read.
constexpr off_t kMaxStoreBytes = 64 << 20;

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = other.fd_;
            other.fd_ = -1;
        }
        return *this;
    }
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the result, which matters after writing.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool LockFd(int fd, int operation) {
    while (::flock(fd, operation) != 0)
        if (errno != EINTR) return false;
    return true;
}

void SyncFolder(const std::filesystem::path& folder) {
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) ::fsync(dir.get());
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// Whole contents of an open file, or nothing when it cannot be read or is
// larger than `limit` (then `tooLarge` is set).
std::optional<std::string> ReadAll(int fd, off_t limit, bool& tooLarge) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return std::nullopt;
    tooLarge = st.st_size > limit;
    if (tooLarge) return std::string();
    std::string data;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        data.append(buffer, static_cast<std::size_t>(n));
        if (static_cast<off_t>(data.size()) > limit) {  // grew while reading
            tooLarge = true;
            return std::string();
        }
    }
    return data;
}

std::optional<StoreFile::Snapshot> ReadUnlocked(const std::filesystem::path& file) {
    StoreFile::Snapshot snapshot;
    Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        if (errno == ENOENT) return snapshot;
        return std::nullopt;
    }
    snapshot.exists = true;
    bool tooLarge = false;
    const auto text = ReadAll(fd.get(), kMaxStoreBytes, tooLarge);
    if (!text) return std::nullopt;
    RegFileParse parsed = ParseRegFile(*text);
    snapshot.document = std::move(parsed.document);
    snapshot.damaged = tooLarge || parsed.skippedLines > 0;
    return snapshot;
}

// Copies the damaged store to "<name>.bad-<time>" beside it, never over an
// earlier copy.
bool KeepCopy(const std::filesystem::path& file) {
    Fd in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid()) return false;
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = file.string() + ".bad-" + stamp;
    Fd out;
    std::string copyName;
    for (int attempt = 0; attempt < 100 && !out.valid(); ++attempt) {
        copyName = attempt == 0 ? base : base + "-" + std::to_string(attempt);
        out = Fd(::open(copyName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!out.valid() && errno != EEXIST) return false;
    }
    if (!out.valid()) return false;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) break;
        if (n < 0 || !WriteAll(out.get(), std::string_view(buffer, static_cast<std::size_t>(n)))) {
            ::unlink(copyName.c_str());
            return false;
        }
    }
    if (::fsync(out.get()) != 0 || !out.Close()) {
        ::unlink(copyName.c_str());
        return false;
    }
    return true;
}

// A store that is a link (into a collection of dotfiles, say) is written
// through the link, which stays in place.
std::filesystem::path WriteTarget(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(file, ec)) return file;
    std::filesystem::path target = std::filesystem::canonical(file, ec);
    return ec ? file : target;
}

}  // namespace

bool EnsurePrivateFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) return true;
    std::filesystem::path partial;
    for (const auto& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return std::filesystem::is_directory(folder, ec);
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view contents,
                         unsigned mode) {
    std::string temp = file.string() + ".tmp-XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (!fd.valid()) return false;
    const bool written = ::fchmod(fd.get(), static_cast<mode_t>(mode)) == 0 &&
                         WriteAll(fd.get(), contents) && ::fsync(fd.get()) == 0 && fd.Close() &&
                         ::rename(temp.c_str(), file.c_str()) == 0;
    if (!written) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolder(FolderOf(file));
    return true;
}

StoreFile::StoreFile(std::filesystem::path file)
    : file_(std::move(file)), lockFile_(file_.string() + ".lock") {}

std::optional<StoreFile::Snapshot> StoreFile::Read() const {
    // A folder we may not write to has no lock file to create; nobody can
    // replace the store there either, so reading without the lock is safe.
    Fd lock(::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!lock.valid()) lock = Fd(::open(lockFile_.c_str(), O_RDONLY | O_CLOEXEC));
    if (lock.valid() && !LockFd(lock.get(), LOCK_SH)) return std::nullopt;
    return ReadUnlocked(file_);
}

bool StoreFile::Update(const std::function<bool(RegFileDocument&)>& change) const {
    if (!EnsurePrivateFolder(FolderOf(file_))) return false;
    Fd lock(::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!lock.valid() || !LockFd(lock.get(), LOCK_EX)) return false;

    // Re-read under the lock: another process may have written since this
    // one last looked, and its changes must not be lost.
    auto snapshot = ReadUnlocked(file_);
    if (!snapshot) return false;
    if (!change(snapshot->document)) return true;
    const std::filesystem::path target = WriteTarget(file_);
    if (snapshot->exists && snapshot->damaged && !KeepCopy(target)) return false;
    return WriteFileAtomically(target, SerializeRegFile(snapshot->document));
}

}  // namespace pixolet::linux_common
