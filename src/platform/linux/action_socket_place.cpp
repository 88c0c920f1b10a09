#include "platform/linux/action_socket_place.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace pixolet::linux_common {

namespace {

constexpr char kSocketName[] = "pixolet.sock";
constexpr char kLockName[] = "pixolet.lock";

// A folder of this user that nobody else may change. The runtime folder may
// be reached through a symbolic link; the fallback in /tmp may not, since
// anyone can put one there.
bool IsPrivateFolder(const std::string& path, bool followLinks, mode_t forbidden) {
    struct stat info {};
    const int result = followLinks ? stat(path.c_str(), &info) : lstat(path.c_str(), &info);
    return result == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & forbidden) == 0;
}

std::optional<std::string> RuntimeFolder() {
    const char* value = std::getenv("XDG_RUNTIME_DIR");
    if (!value || value[0] != '/') return std::nullopt;
    // Writable by the user alone, as the base directory rules ask of it.
    if (!IsPrivateFolder(value, true, S_IWGRP | S_IWOTH)) return std::nullopt;
    return std::string(value);
}

std::optional<std::string> FallbackFolder(bool create, std::string& error) {
    const std::string path = "/tmp/pixolet-" + std::to_string(geteuid());
    if (create && mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "cannot make the folder " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (!IsPrivateFolder(path, false, S_IRWXG | S_IRWXO)) {
        error = "the folder " + path + " is not a private folder of this user";
        return std::nullopt;
    }
    return path;
}

}  // namespace

std::optional<ActionSocketPlace> FindActionSocketPlace(bool create, std::string& error) {
    std::optional<std::string> folder = RuntimeFolder();
    if (!folder) folder = FallbackFolder(create, error);
    if (!folder) return std::nullopt;
    ActionSocketPlace place{*folder, *folder + "/" + kSocketName, *folder + "/" + kLockName};
    if (place.socketPath.size() >= sizeof(sockaddr_un{}.sun_path)) {
        error = "the socket path " + place.socketPath + " is too long";
        return std::nullopt;
    }
    return place;
}

}  // namespace pixolet::linux_common
