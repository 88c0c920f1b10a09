#include "platform/linux/action_client.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

#include "app/action_switch.h"
#include "platform/linux/action_socket_place.h"
#include "platform/linux/unique_fd.h"

namespace pixolet::linux_common {

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until `deadline`, for poll.
int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool WaitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, MillisecondsLeft(deadline));
        if (ready > 0) return true;
        if (ready == 0 || errno != EINTR) return false;
    }
}

// A connection to the socket; none when nobody listens there, or, with
// `busy` set, when the program never took the connection.
UniqueFd Connect(const std::string& path, Clock::time_point deadline, bool& busy) {
    UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!fd) return {};
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    for (;;) {
        if (connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            return fd;
        // A full backlog: the program is there but has not caught up yet. A
        // Unix socket does not go on connecting by itself; ask again.
        if (errno != EAGAIN && errno != EINTR) return {};
        if (errno == EAGAIN) busy = true;
        if (Clock::now() >= deadline) return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// The other end is a process of this user (a folder of the user's own holds
// the socket, but the check costs nothing).
bool PeerIsThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

bool SendAll(int fd, const std::string& text, Clock::time_point deadline) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = send(fd, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!WaitFor(fd, POLLOUT, deadline)) return false;
        } else {
            return false;
        }
    }
    return true;
}

// The reply line without its line feed; none when the program closed the
// connection or stayed silent until the deadline.
std::optional<std::string> ReceiveLine(int fd, Clock::time_point deadline) {
    std::string line;
    // A reply is one short word; more than a request's worth is not one.
    while (line.size() < kMaxRequestLine) {
        char buffer[kMaxRequestLine];
        const ssize_t n = recv(fd, buffer, kMaxRequestLine - line.size(), 0);
        if (n > 0) {
            line.append(buffer, static_cast<std::size_t>(n));
            if (const auto end = line.find('\n'); end != std::string::npos) {
                line.resize(end);
                return line;
            }
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            if (!WaitFor(fd, POLLIN, deadline)) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return line;  // no line feed within the limit: unreadable
}

}  // namespace

ActionReply SendAction(Action action, std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    std::string error;
    const auto place = FindActionSocketPlace(false, error);
    if (!place) return ActionReply::NoInstance;
    bool busy = false;
    const UniqueFd fd = Connect(place->socketPath, deadline, busy);
    if (!fd) return busy ? ActionReply::NoAnswer : ActionReply::NoInstance;
    if (!PeerIsThisUser(fd.Get())) return ActionReply::NoInstance;
    if (!SendAll(fd.Get(), RequestLine(action), deadline)) return ActionReply::NoAnswer;
    const auto line = ReceiveLine(fd.Get(), deadline);
    if (!line) return ActionReply::NoAnswer;
    return ParseReplyLine(*line);
}

std::optional<int> RunActionCommandLine(const std::vector<std::string>& args) {
    const ActionSwitch request = ActionSwitchOf(args);
    switch (request.kind) {
        case ActionSwitch::Kind::None:
            return std::nullopt;
        case ActionSwitch::Kind::UsageError:
            std::fprintf(stderr, "%s\n", request.error.c_str());
            return kUsageErrorExit;
        case ActionSwitch::Kind::Send:
            break;
    }
    const ActionReply reply = SendAction(request.action);
    if (const std::string message = ClientMessage(request.action, reply); !message.empty())
        std::fprintf(stderr, "%s\n", message.c_str());
    return ClientExitCode(reply);
}

}  // namespace pixolet::linux_common
