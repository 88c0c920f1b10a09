#include "platform/linux/action_server.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/linux/action_socket_place.h"

namespace pixolet::linux_common {

struct ActionServer::Connection {
    UniqueFd fd;
    std::string received;
    std::unique_ptr<QSocketNotifier> notifier;
    std::chrono::steady_clock::time_point deadline;
};

namespace {

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool PeerIsThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == geteuid();
}

}  // namespace

ActionServer::ActionServer() = default;

ActionServer::~ActionServer() {
    connections_.clear();
    sweeper_.reset();
    acceptNotifier_.reset();
    // Only the lock's holder may remove the socket: it is this process's.
    if (listener_) unlink(socketPath_.c_str());
}

ActionServer::Claim ActionServer::ClaimSocket() {
    const auto place = FindActionSocketPlace(true, error_);
    if (!place) return Claim::Failed;
    socketPath_ = place->socketPath;

    UniqueFd lock(open(place->lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lock) {
        error_ = SystemError("cannot open " + place->lockPath);
        return Claim::Failed;
    }
    // The lock goes with its process, so a crashed instance holds none.
    if (flock(lock.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) return Claim::OtherInstance;
        error_ = SystemError("cannot lock " + place->lockPath);
        return Claim::Failed;
    }

    // Whatever socket is there belongs to no live instance.
    if (unlink(socketPath_.c_str()) != 0 && errno != ENOENT) {
        error_ = SystemError("cannot remove the stale socket " + socketPath_);
        return Claim::Failed;
    }
    UniqueFd listener(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!listener) {
        error_ = SystemError("cannot make a socket");
        return Claim::Failed;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath_.c_str(), socketPath_.size() + 1);
    if (bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error_ = SystemError("cannot listen on " + socketPath_);
        return Claim::Failed;
    }
    // The folder is private already; the socket is as well.
    if (chmod(socketPath_.c_str(), 0600) != 0 ||
        listen(listener.Get(), static_cast<int>(kMaxConnections)) != 0) {
        error_ = SystemError("cannot listen on " + socketPath_);
        unlink(socketPath_.c_str());
        return Claim::Failed;
    }
    lock_ = std::move(lock);
    listener_ = std::move(listener);
    return Claim::Claimed;
}

void ActionServer::Serve(Handler handler) {
    if (!listener_ || acceptNotifier_) return;
    handler_ = std::move(handler);
    sweeper_ = std::make_unique<QTimer>();
    sweeper_->setInterval(kRequestTimeoutMs / 4);
    QObject::connect(sweeper_.get(), &QTimer::timeout, sweeper_.get(), [this] { Sweep(); });
    acceptNotifier_ = std::make_unique<QSocketNotifier>(listener_.Get(), QSocketNotifier::Read);
    QObject::connect(acceptNotifier_.get(), &QSocketNotifier::activated, acceptNotifier_.get(),
                     [this] { Accept(); });
    // Requests that waited in the backlog while the program started.
    Accept();
}

void ActionServer::Accept() {
    for (;;) {
        UniqueFd fd(accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!fd) {
            if (errno == EINTR) continue;
            return;  // nothing more waits (or the peer left already)
        }
        if (!PeerIsThisUser(fd.Get()) || connections_.size() >= kMaxConnections) continue;
        auto connection = std::make_unique<Connection>();
        Connection* raw = connection.get();
        connection->fd = std::move(fd);
        connection->notifier =
            std::make_unique<QSocketNotifier>(raw->fd.Get(), QSocketNotifier::Read);
        QObject::connect(raw->notifier.get(), &QSocketNotifier::activated, raw->notifier.get(),
                         [this, raw] { Read(raw); });
        connection->deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kRequestTimeoutMs);
        connections_.push_back(std::move(connection));
        if (!sweeper_->isActive()) sweeper_->start();
        // The line may be there already.
        Read(raw);
    }
}

void ActionServer::Read(Connection* connection) {
    for (;;) {
        // Never more than one line's worth, however much the peer sends.
        char buffer[kMaxRequestLine];
        const std::size_t room = kMaxRequestLine - connection->received.size();
        const ssize_t n = recv(connection->fd.Get(), buffer, room, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return;
        if (n <= 0) {
            TakeConnection(connection);  // gone before its line was complete
            return;
        }
        connection->received.append(buffer, static_cast<std::size_t>(n));
        const auto end = connection->received.find('\n');
        if (end != std::string::npos) {
            Answer(connection, connection->received.substr(0, end));
            return;
        }
        if (connection->received.size() >= kMaxRequestLine) {
            Answer(connection, {});  // no line within the limit: refused
            return;
        }
    }
}

void ActionServer::Answer(Connection* connection, const std::string& line) {
    // Off the list before the action runs: an action may serve events (an
    // error box), and this connection must not be read again meanwhile.
    const std::unique_ptr<Connection> owned = TakeConnection(connection);
    if (!owned) return;
    owned->notifier->setEnabled(false);
    const ParsedRequest request = ParseRequestLine(line);
    ActionReply reply = request.refusal;
    if (request.action) reply = ReplyFor(handler_(*request.action));
    const std::string text = ReplyLine(reply);
    // A few bytes into an empty socket buffer: never blocks, and a peer that
    // left already costs nothing (and raises no SIGPIPE).
    [[maybe_unused]] const ssize_t sent =
        send(owned->fd.Get(), text.data(), text.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void ActionServer::Sweep() {
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(connections_, [now](const auto& owned) { return owned->deadline <= now; });
    if (connections_.empty()) sweeper_->stop();
}

std::unique_ptr<ActionServer::Connection> ActionServer::TakeConnection(Connection* connection) {
    const auto it =
        std::find_if(connections_.begin(), connections_.end(),
                     [connection](const auto& owned) { return owned.get() == connection; });
    if (it == connections_.end()) return nullptr;
    std::unique_ptr<Connection> owned = std::move(*it);
    connections_.erase(it);
    return owned;
}

}  // namespace pixolet::linux_common
