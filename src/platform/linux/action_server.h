// The receiving side of "pixolet --action NAME" in the running program: the
// per-user socket, served on the Qt event loop. Each connection brings one
// request line, gets one reply line and is closed. Holding the socket's lock
// also makes the process the user's one instance, which the Wayland layer
// uses as its single-instance test.
//
//   ActionServer server;
//   if (server.Claim() == ActionServer::Claim::OtherInstance) ...  // one runs
//   server.Serve([&](Action a) { return window.RunAction(a); });
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "actions/action_protocol.h"
#include "platform/linux/unique_fd.h"

class QSocketNotifier;
class QTimer;

namespace pixolet::linux_common {

class ActionServer {
  public:
    // Runs the action on the GUI thread and says how it went.
    using Handler = std::function<ActionOutcome(Action)>;
    enum class Claim {
        Claimed,        // this process listens on the socket
        OtherInstance,  // a running process of this user holds it
        Failed,         // no socket: Error() says why
    };

    ActionServer();
    // Takes the socket off the file system while still holding the lock.
    ~ActionServer();
    ActionServer(const ActionServer&) = delete;
    ActionServer& operator=(const ActionServer&) = delete;

    // Takes the user's instance lock and listens on the socket, replacing a
    // socket that a crashed instance left behind. Needs no event loop:
    // requests wait in the socket's backlog until Serve.
    Claim ClaimSocket();
    const std::string& Error() const { return error_; }
    const std::string& SocketPath() const { return socketPath_; }

    // Answers requests from now on, on the Qt event loop; each action goes
    // to `handler`. Needs a Qt application object and a claimed socket.
    void Serve(Handler handler);

    // At most this many connections are read at once; more are closed at once.
    static constexpr std::size_t kMaxConnections = 8;
    // A connection that has not sent its line by then is closed (within a
    // quarter of that again).
    static constexpr int kRequestTimeoutMs = 2000;

  private:
    struct Connection;
    void Accept();
    void Read(Connection* connection);
    void Answer(Connection* connection, const std::string& line);
    // Closes the connections whose time is up.
    void Sweep();
    std::unique_ptr<Connection> TakeConnection(Connection* connection);

    std::string error_;
    std::string socketPath_;
    UniqueFd lock_;
    UniqueFd listener_;
    Handler handler_;
    std::unique_ptr<QSocketNotifier> acceptNotifier_;
    // Runs while connections are open, to end those that never finish.
    std::unique_ptr<QTimer> sweeper_;
    std::vector<std::unique_ptr<Connection>> connections_;
};

}  // namespace pixolet::linux_common
