#include "platform/wayland/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace pixolet::wayland {

namespace {

std::string LockPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* display = std::getenv("WAYLAND_DISPLAY");
    std::string name = display && *display ? display : "wayland-0";
    // A socket given as a path names the lock by its last part.
    if (const auto slash = name.rfind('/'); slash != std::string::npos) name.erase(0, slash + 1);
    const std::string folder = runtime && *runtime ? runtime : "/tmp";
    return folder + "/pixolet-" + name + ".lock";
}

int OpenLockFile() {
    return open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

}  // namespace

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) close(fd_);
}

bool InstanceLock::HeldElsewhere() {
    const int fd = OpenLockFile();
    if (fd < 0) return false;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0;
    close(fd);
    return held;
}

bool InstanceLock::Claim() {
    if (fd_ >= 0) return true;
    const int fd = OpenLockFile();
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

}  // namespace pixolet::wayland
