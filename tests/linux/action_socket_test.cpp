// The action socket between "pixolet --action" and the running program:
// a server on a Qt event loop and real clients on threads of their own, in a
// private runtime folder per test.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/action_client.h"
#include "platform/linux/action_server.h"
#include "platform/linux/action_socket_place.h"
#include "platform/linux/unique_fd.h"

namespace pixolet::linux_common {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "action_socket_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

class ActionSocketTest : public testing::Test {
  protected:
    void SetUp() override {
        App();
        char pattern[] = "/tmp/pixolet-socket-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        runtime_ = pattern;
        ASSERT_EQ(chmod(runtime_.c_str(), 0700), 0);
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        if (old) oldRuntime_ = old;
        setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    }
    void TearDown() override {
        if (oldRuntime_)
            setenv("XDG_RUNTIME_DIR", oldRuntime_->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        std::error_code ignored;
        fs::remove_all(runtime_, ignored);
    }

    std::string SocketPath() const { return runtime_ + "/pixolet.sock"; }

    // Runs `work` on a thread while this thread serves the event loop.
    template <typename T>
    T WhileServing(std::function<T()> work) {
        std::future<T> result = std::async(std::launch::async, std::move(work));
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (result.wait_for(0ms) != std::future_status::ready &&
               std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return result.get();
    }

    ActionReply Send(Action action) {
        return WhileServing<ActionReply>([action] { return SendAction(action, 3000ms); });
    }

    std::string runtime_;
    std::optional<std::string> oldRuntime_;
};

// A raw connection that sends `bytes` (and with `finish` says it has sent
// all) and reads until the server closes.
std::string Exchange(const std::string& path, const std::string& bytes, bool finish = true) {
    UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    if (connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return "(no connection)";
    timeval limit{5, 0};
    setsockopt(fd.Get(), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    // The server may close as soon as it has refused the first bytes.
    [[maybe_unused]] const ssize_t sent = send(fd.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (finish) shutdown(fd.Get(), SHUT_WR);
    std::string reply;
    char buffer[256];
    for (ssize_t n; (n = recv(fd.Get(), buffer, sizeof buffer, 0)) > 0;)
        reply.append(buffer, static_cast<std::size_t>(n));
    return reply;
}

TEST_F(ActionSocketTest, EachActionReachesTheHandlerAndItsOutcomeComesBack) {
    ActionServer server;
    ASSERT_EQ(server.ClaimSocket(), ActionServer::Claim::Claimed) << server.Error();
    EXPECT_EQ(server.SocketPath(), SocketPath());
    struct stat info {};
    ASSERT_EQ(stat(SocketPath().c_str(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    std::vector<Action> seen;
    ActionOutcome next = ActionOutcome::Done;
    server.Serve([&](Action action) {
        seen.push_back(action);
        return next;
    });
    for (const ActionEntry& entry : ActionTable()) EXPECT_EQ(Send(entry.action), ActionReply::Done);
    ASSERT_EQ(seen.size(), kActionCount);
    for (std::size_t i = 0; i < kActionCount; ++i) EXPECT_EQ(seen[i], ActionTable()[i].action);

    const std::pair<ActionOutcome, ActionReply> outcomes[] = {
        {ActionOutcome::ReadoutHidden, ActionReply::ReadoutHidden},
        {ActionOutcome::PropertiesOpen, ActionReply::PropertiesOpen},
        {ActionOutcome::NotDone, ActionReply::NotDone},
    };
    for (const auto& [outcome, reply] : outcomes) {
        next = outcome;
        EXPECT_EQ(Send(Action::FreezeWindow), reply);
    }
}

TEST_F(ActionSocketTest, OneInstancePerUserAndNoneAfterItEnds) {
    EXPECT_EQ(Send(Action::Copy), ActionReply::NoInstance);
    {
        ActionServer first;
        ASSERT_EQ(first.ClaimSocket(), ActionServer::Claim::Claimed) << first.Error();
        ActionServer second;
        EXPECT_EQ(second.ClaimSocket(), ActionServer::Claim::OtherInstance);
        first.Serve([](Action) { return ActionOutcome::Done; });
        EXPECT_EQ(Send(Action::Quit), ActionReply::Done);
    }
    EXPECT_FALSE(fs::exists(SocketPath()));
    EXPECT_EQ(Send(Action::Copy), ActionReply::NoInstance);
}

TEST_F(ActionSocketTest, ASocketLeftByACrashedInstanceNeitherAnswersNorBlocksANewStart) {
    {
        // A bound socket whose process is gone: the file stays, nobody listens.
        UniqueFd fd(socket(AF_UNIX, SOCK_STREAM, 0));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        SocketPath().copy(address.sun_path, sizeof address.sun_path - 1);
        ASSERT_EQ(bind(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    }
    ASSERT_TRUE(fs::exists(SocketPath()));
    EXPECT_EQ(Send(Action::Copy), ActionReply::NoInstance);

    ActionServer server;
    ASSERT_EQ(server.ClaimSocket(), ActionServer::Claim::Claimed) << server.Error();
    server.Serve([](Action) { return ActionOutcome::Done; });
    EXPECT_EQ(Send(Action::Copy), ActionReply::Done);
}

TEST_F(ActionSocketTest, RequestsWaitWhileTheProgramStarts) {
    ActionServer server;
    ASSERT_EQ(server.ClaimSocket(), ActionServer::Claim::Claimed) << server.Error();
    std::future<ActionReply> early =
        std::async(std::launch::async, [] { return SendAction(Action::ShowHide, 5000ms); });
    std::this_thread::sleep_for(200ms);  // the client waits in the backlog meanwhile
    server.Serve([](Action) { return ActionOutcome::Done; });
    EXPECT_EQ(WhileServing<ActionReply>([&early] { return early.get(); }), ActionReply::Done);
}

TEST_F(ActionSocketTest, AProgramThatTakesNoConnectionsDidNotAnswer) {
    ActionServer server;  // claimed, never served
    ASSERT_EQ(server.ClaimSocket(), ActionServer::Claim::Claimed) << server.Error();
    std::vector<UniqueFd> waiting;
    for (;;) {
        UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        SocketPath().copy(address.sun_path, sizeof address.sun_path - 1);
        if (connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
            break;  // the backlog is full
        waiting.push_back(std::move(fd));
        ASSERT_LT(waiting.size(), 100u);
    }
    EXPECT_EQ(SendAction(Action::Copy, 300ms), ActionReply::NoAnswer);
}

TEST_F(ActionSocketTest, MalformedAndOversizedRequestsAreRefusedAndServingGoesOn) {
    ActionServer server;
    ASSERT_EQ(server.ClaimSocket(), ActionServer::Claim::Claimed) << server.Error();
    int handled = 0;
    server.Serve([&handled](Action) {
        ++handled;
        return ActionOutcome::Done;
    });
    const std::string path = SocketPath();
    const struct {
        std::string request;
        std::string reply;
    } cases[] = {
        {"hello\n", "bad-request\n"},
        {"action rainbow\n", "unknown-action\n"},
        {"action copy\r\n", "bad-request\n"},
        {std::string(100000, 'x'), "bad-request\n"},
        {"action " + std::string(200, 'a') + "\n", "bad-request\n"},
        {std::string("action \0copy\n", 13), "bad-request\n"},
        {"action copy", ""},  // closed before the line was complete
        {"", ""},
        {"action copy\naction quit\n", "done\n"},  // one request per connection
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.substr(0, 40));
        EXPECT_EQ(WhileServing<std::string>([&] { return Exchange(path, c.request); }), c.reply);
    }
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(Send(Action::Copy), ActionReply::Done);
}

TEST_F(ActionSocketTest, SilentConnectionsAreLimitedAndTimedOut) {
    ActionServer server;
    ASSERT_EQ(server.ClaimSocket(), ActionServer::Claim::Claimed) << server.Error();
    server.Serve([](Action) { return ActionOutcome::Done; });
    const std::string path = SocketPath();
    // Connections that never say anything hold every place ...
    std::vector<UniqueFd> silent;
    for (std::size_t i = 0; i < ActionServer::kMaxConnections; ++i) {
        UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        ASSERT_EQ(connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address),
                  0);
        silent.push_back(std::move(fd));
    }
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < 300ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    // ... so one more is closed unanswered ...
    EXPECT_EQ(WhileServing<std::string>([&path] { return Exchange(path, "action copy\n"); }), "");
    // ... until their time is up; all the while the program stays responsive.
    for (const UniqueFd& fd : silent) {
        const int raw = fd.Get();
        EXPECT_EQ(WhileServing<ssize_t>([raw] {
                      char byte = 0;
                      return recv(raw, &byte, 1, 0);
                  }),
                  0);
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(Send(Action::Copy), ActionReply::Done);
}

TEST_F(ActionSocketTest, OnlyAPrivateRuntimeFolderIsUsed) {
    std::string error;
    auto place = FindActionSocketPlace(false, error);
    ASSERT_TRUE(place) << error;
    EXPECT_EQ(place->folder, runtime_);
    EXPECT_EQ(place->socketPath, SocketPath());

    const std::string fallback = "/tmp/pixolet-" + std::to_string(geteuid());
    ASSERT_EQ(chmod(runtime_.c_str(), 0777), 0);
    place = FindActionSocketPlace(false, error);
    if (place) {
        EXPECT_EQ(place->folder, fallback);
    }
    setenv("XDG_RUNTIME_DIR", "relative/folder", 1);
    place = FindActionSocketPlace(false, error);
    if (place) {
        EXPECT_EQ(place->folder, fallback);
    }
    setenv("XDG_RUNTIME_DIR", (runtime_ + "/" + std::string(120, 'x')).c_str(), 1);
    ASSERT_EQ(chmod(runtime_.c_str(), 0700), 0);
    ASSERT_TRUE(fs::create_directory(runtime_ + "/" + std::string(120, 'x')));
    EXPECT_FALSE(FindActionSocketPlace(false, error));
    EXPECT_NE(error.find("too long"), std::string::npos) << error;
}

}  // namespace
}  // namespace pixolet::linux_common
