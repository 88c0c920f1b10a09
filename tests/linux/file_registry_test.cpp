#include "platform/linux/file_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "platform/linux/autostart_entry.h"
#include "settings/reg_file.h"
#include "settings/registry_paths.h"

namespace pixolet::linux_common {
namespace {

namespace fs = std::filesystem;

constexpr char kKey[] = "\\Software\\Velmora\\Pixolet";

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& p, std::string_view text) {
    std::ofstream out(p, std::ios::binary);
    out << text;
}

std::vector<std::string> FolderEntries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs `check` in a child process without root's right to write anywhere, so
// that permission tests mean the same for every user; its result is the
// child's exit code (0 for success).
int RunUnprivileged(const std::function<int()>& check) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
        ::_exit(check());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

class FileRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "pixolet-reg-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
        ::chmod(root_.c_str(), 0755);  // reachable for the unprivileged child
        storeDir_ = root_ / "config" / "pixolet";
        store_ = storeDir_ / "registry.reg";
        autostartDir_ = root_ / "config" / "autostart";
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(storeDir_, fs::perms::owner_all, ec);
        fs::remove_all(root_, ec);
    }
    FileRegistry MakeRegistry() const { return FileRegistry(store_, autostartDir_); }

    fs::path root_, storeDir_, store_, autostartDir_;
};

TEST_F(FileRegistryTest, WritesAreBufferedUntilCommitAndSeenByOtherInstances) {
    FileRegistry reg = MakeRegistry();
    EXPECT_EQ(reg.OpenKey(kKey), nullptr);
    auto key = reg.CreateKey(kKey);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(fs::status(storeDir_).permissions() & fs::perms::all, fs::perms::owner_all);

    ASSERT_TRUE(key->SetDword("Zoom", 7));
    ASSERT_TRUE(key->SetText("FontName", "Courier New"));
    ASSERT_TRUE(key->SetText("Path", "%HOME%/x", RegType::ExpandSz));
    EXPECT_EQ(key->Query("ZOOM")->dword, 7u);  // a key sees its own writes at once
    EXPECT_EQ(MakeRegistry().OpenKey(kKey)->Query("Zoom"), std::nullopt);

    ASSERT_TRUE(key->Commit());
    auto other = MakeRegistry().OpenKey("software\\VELMORA\\pixolet");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->Query("zoom")->dword, 7u);
    EXPECT_EQ(other->Query("FontName")->text, "Courier New");
    EXPECT_EQ(other->Query("Path")->type, RegType::ExpandSz);

    // The destructor stores what is still pending.
    ASSERT_TRUE(key->DeleteValue("Zoom"));
    ASSERT_TRUE(key->DeleteValue("NeverThere"));
    key.reset();
    EXPECT_EQ(MakeRegistry().OpenKey(kKey)->Query("Zoom"), std::nullopt);
}

TEST_F(FileRegistryTest, ConcurrentCommitsKeepEveryOtherWritersValues) {
    // Two keys opened on the same old contents: the second commit must not
    // bring back what the first one deleted, nor lose what it added.
    ASSERT_TRUE(MakeRegistry().CreateKey(kKey)->SetDword("Old", 1));
    auto a = MakeRegistry().OpenKey(kKey);
    auto b = MakeRegistry().OpenKey(kKey);
    a->DeleteValue("Old");
    a->SetDword("A", 1);
    ASSERT_TRUE(a->Commit());
    b->SetDword("B", 2);
    ASSERT_TRUE(b->Commit());
    auto now = MakeRegistry().OpenKey(kKey);
    EXPECT_EQ(now->Query("Old"), std::nullopt);
    EXPECT_EQ(now->Query("A")->dword, 1u);
    EXPECT_EQ(now->Query("B")->dword, 2u);
}

TEST_F(FileRegistryTest, ReplacingTheFileLeavesNoTemporaryFiles) {
    FileRegistry reg = MakeRegistry();
    for (std::uint32_t i = 0; i < 5; ++i) {
        auto key = reg.CreateKey(kKey);
        key->SetDword("Counter", i);
        ASSERT_TRUE(key->Commit());
    }
    EXPECT_EQ(FolderEntries(storeDir_),
              (std::vector<std::string>{"registry.reg", "registry.reg.lock"}));
    const RegFileParse parsed = ParseRegFile(ReadFile(store_));
    EXPECT_EQ(parsed.skippedLines, 0u);
}

TEST_F(FileRegistryTest, ProcessesWritingAtOnceNeverMixOrLoseWrites) {
    constexpr int kWriters = 4;
    constexpr int kRounds = 25;
    ASSERT_NE(MakeRegistry().CreateKey(kKey), nullptr);
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            FileRegistry reg(store_, autostartDir_);
            const std::string payload(20000, static_cast<char>('a' + w));
            for (int r = 0; r < kRounds; ++r) {
                auto key = reg.CreateKey(kKey);
                if (!key || !key->SetDword("Writer" + std::to_string(w), r) ||
                    !key->SetText("Payload", payload) || !key->Commit())
                    ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const RegFileParse parsed = ParseRegFile(ReadFile(store_));
    EXPECT_EQ(parsed.skippedLines, 0u);
    auto key = MakeRegistry().OpenKey(kKey);
    for (int w = 0; w < kWriters; ++w)
        EXPECT_EQ(key->Query("Writer" + std::to_string(w))->dword, kRounds - 1u);
    const std::string payload = key->Query("Payload")->text;
    ASSERT_EQ(payload.size(), 20000u);
    EXPECT_EQ(payload.find_first_not_of(payload[0]), std::string::npos);
    EXPECT_EQ(FolderEntries(storeDir_).size(), 2u);
}

TEST_F(FileRegistryTest, DamagedFileIsKeptBesideAndItsGoodValuesSurvive) {
    fs::create_directories(storeDir_);
    const std::string damaged =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\Software\\Velmora\\Pixolet]\n"
        "\"Zoom\"=dword:00000005\n"
        "\x01\x02 garbage \xff\n"
        "\"FontName\"=\"Arial\"\n"
        "\"Broken\"=hex:zz\n";
    WriteFile(store_, damaged);

    auto key = MakeRegistry().CreateKey(kKey);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Query("Zoom")->dword, 5u);
    EXPECT_EQ(key->Query("FontName")->text, "Arial");
    key->SetDword("K", 50);
    ASSERT_TRUE(key->Commit());

    std::vector<fs::path> copies;
    for (const auto& e : fs::directory_iterator(storeDir_))
        if (e.path().filename().string().starts_with("registry.reg.bad-"))
            copies.push_back(e.path());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(ReadFile(copies[0]), damaged);

    auto again = MakeRegistry().OpenKey(kKey);
    EXPECT_EQ(again->Query("Zoom")->dword, 5u);
    EXPECT_EQ(again->Query("FontName")->text, "Arial");
    EXPECT_EQ(again->Query("K")->dword, 50u);
    EXPECT_EQ(ParseRegFile(ReadFile(store_)).skippedLines, 0u);

    // The file is sound now: later saves keep no further copies.
    again->SetDword("K", 51);
    ASSERT_TRUE(again->Commit());
    EXPECT_EQ(FolderEntries(storeDir_).size(), 3u);
}

TEST_F(FileRegistryTest, LinkedStoreIsWrittenThroughTheLink) {
    fs::create_directories(storeDir_);
    const fs::path real = root_ / "dotfiles.reg";
    WriteFile(real, "");
    fs::create_symlink(real, store_);
    auto key = MakeRegistry().CreateKey(kKey);
    key->SetDword("Zoom", 2);
    ASSERT_TRUE(key->Commit());
    EXPECT_TRUE(fs::is_symlink(store_));
    EXPECT_NE(ReadFile(real).find("\"Zoom\"=dword:00000002"), std::string::npos);
}

TEST_F(FileRegistryTest, ReadOnlyFolderReadsButRefusesWrites) {
    {
        auto key = MakeRegistry().CreateKey(kKey);
        key->SetDword("Zoom", 3);
        ASSERT_TRUE(key->Commit());
    }
    fs::remove(storeDir_ / "registry.reg.lock");
    ::chmod(storeDir_.parent_path().c_str(), 0755);  // created private, like the store's folder
    ::chmod(store_.c_str(), 0444);
    ::chmod(storeDir_.c_str(), 0555);
    const int result = RunUnprivileged([&] {
        FileRegistry reg = MakeRegistry();
        auto key = reg.CreateKey(kKey);
        if (!key) return 1;
        const auto zoom = key->Query("Zoom");
        if (!zoom || zoom->dword != 3u) return 2;
        if (!key->SetDword("Zoom", 4)) return 3;  // buffered: refused at commit
        if (key->Commit()) return 4;
        if (reg.CreateKey("\\Software\\Velmora\\New")) return 5;
        if (reg.DeleteKey(kKey)) return 6;
        return 0;  // the key's destructor retries the commit and must not crash
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(MakeRegistry().OpenKey(kKey)->Query("Zoom")->dword, 3u);
}

TEST_F(FileRegistryTest, DeleteKeyRemovesSubkeysAndCountsThem) {
    FileRegistry reg = MakeRegistry();
    ASSERT_NE(reg.CreateKey("\\Software\\Velmora\\Pixolet\\Sub"), nullptr);
    ASSERT_NE(reg.CreateKey("\\Software\\Velmora\\Other"), nullptr);
    EXPECT_EQ(reg.OpenKey("\\Software\\Velmora")->SubkeyCount(), 2u);

    EXPECT_TRUE(reg.DeleteKey(kKey));
    EXPECT_EQ(reg.OpenKey(kKey), nullptr);
    EXPECT_EQ(reg.OpenKey("\\Software\\Velmora\\Pixolet\\Sub"), nullptr);
    EXPECT_EQ(reg.OpenKey("\\Software\\Velmora")->SubkeyNames(),
              (std::vector<std::string>{"Other"}));
    EXPECT_FALSE(reg.DeleteKey(kKey));  // already gone
}

TEST_F(FileRegistryTest, StartUpValueIsTheAutostartEntry) {
    FileRegistry reg = MakeRegistry();
    const fs::path entry = autostartDir_ / "pixolet.desktop";
    auto run = reg.OpenKey(kRunKeyPath);  // exists even with no store at all
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->Query(kRunValueName), std::nullopt);

    const std::string program = "/opt/My Apps/pixolet";
    ASSERT_TRUE(run->SetText(kRunValueName, program));
    EXPECT_NE(ReadFile(entry).find("\nExec=\"/opt/My Apps/pixolet\"\n"), std::string::npos);
    EXPECT_NE(ReadFile(entry).find("\nX-GNOME-Autostart-enabled=true\n"), std::string::npos);
    const auto value = reg.OpenKey(kRunKeyPath)->Query("velmora pixolet");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, RegType::Sz);
    EXPECT_EQ(value->text, program);
    EXPECT_FALSE(run->SetDword(kRunValueName, 1));

    // Other programs' values under the Run key are ordinary values.
    ASSERT_TRUE(run->SetText("Someone Else", "/usr/bin/else"));
    ASSERT_TRUE(run->Commit());
    EXPECT_EQ(MakeRegistry().OpenKey(kRunKeyPath)->Query("Someone Else")->text, "/usr/bin/else");
    EXPECT_EQ(ReadFile(store_).find("Velmora Pixolet"), std::string::npos);

    ASSERT_TRUE(run->DeleteValue(kRunValueName));
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_TRUE(run->DeleteValue(kRunValueName));  // missing is no error
}

TEST_F(FileRegistryTest, AutostartEntryTurnedOffByTheDesktopReadsAsMissing) {
    fs::create_directories(autostartDir_);
    WriteFile(autostartDir_ / "pixolet.desktop",
              "[Desktop Entry]\nType=Application\nExec=/usr/bin/pixolet\n"
              "X-GNOME-Autostart-enabled=false\n");
    EXPECT_EQ(MakeRegistry().OpenKey(kRunKeyPath)->Query(kRunValueName), std::nullopt);
    WriteFile(autostartDir_ / "pixolet.desktop", "[Desktop Entry]\nType=Application\n");
    EXPECT_EQ(MakeRegistry().OpenKey(kRunKeyPath)->Query(kRunValueName)->text, "");
}

TEST(AutostartExec, PathsAreQuotedWhenNeededAndReadBackBare) {
    struct Case {
        std::string program;
        std::string value;  // as written in the file
    };
    const Case cases[] = {
        {"/usr/bin/pixolet", "/usr/bin/pixolet"},
        {"/opt/My Apps/pixolet", "\"/opt/My Apps/pixolet\""},
        {"/opt/a$b/p", "\"/opt/a\\\\$b/p\""},
        {"/opt/a\\b/p", "\"/opt/a\\\\\\\\b/p\""},
        {"/opt/say \"hi\"/`p`", "\"/opt/say \\\\\"hi\\\\\"/\\\\`p\\\\`\""},
        {"/opt/100%/p", "/opt/100%%/p"},
        {"/opt/new\nline", "\"/opt/new\\nline\""},
        {"/opt/(x);y&z", "\"/opt/(x);y&z\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExecValueFor(c.program), c.value) << c.program;
        EXPECT_EQ(ProgramOfExecValue(c.value), c.program) << c.value;
    }
    EXPECT_EQ(ProgramOfExecValue("/usr/bin/pixolet --flag"), "/usr/bin/pixolet");
}

TEST(FileRegistryPaths, ForCurrentUserFollowsXdgConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/nonexistent/pixolet-test-config", 1);
    EXPECT_NE(FileRegistry::ForCurrentUser(), nullptr);
    // Nothing is created just by looking.
    EXPECT_EQ(FileRegistry::ForCurrentUser()->OpenKey(kKey), nullptr);
    EXPECT_FALSE(fs::exists("/nonexistent/pixolet-test-config"));
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace pixolet::linux_common
