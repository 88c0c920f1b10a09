// Where a user's running Pixolet takes "--action" requests: a Unix socket
// beside a lock file in the user's runtime folder ($XDG_RUNTIME_DIR), or,
// where that is not set or not private, in /tmp/pixolet-<uid>, a folder only
// the user may enter. Holding the lock makes a process the one that serves
// the socket, so a socket left behind by a crashed instance is known to be
// stale and is replaced.
#pragma once

#include <optional>
#include <string>

namespace pixolet::linux_common {

struct ActionSocketPlace {
    std::string folder;
    std::string socketPath;
    std::string lockPath;
};

// The place for this user. With `create` the fallback folder is made when it
// is missing. None, with `error` set, when no private folder can be had or
// the socket's path is too long for a socket address.
std::optional<ActionSocketPlace> FindActionSocketPlace(bool create, std::string& error);

}  // namespace pixolet::linux_common
