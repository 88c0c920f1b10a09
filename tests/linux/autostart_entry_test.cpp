#include "platform/linux/autostart_entry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace pixolet::linux_common {
namespace {

namespace fs = std::filesystem;

class ProgramOnDiskTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("pixolet-autostart-" + std::to_string(::getpid()));
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string Touch(const std::string& name) const {
        const fs::path path = root_ / name;
        std::ofstream(path) << "x";
        return path.string();
    }

    fs::path root_;
};

// The path the kernel reports for a program replaced while it runs, a plain
// path, and a file that is really named with the mark.
TEST_F(ProgramOnDiskTest, ReplacedProgramIsNamedByItsPathOnDisk) {
    const std::string program = Touch("pixolet");
    EXPECT_EQ(ProgramOnDisk(program + " (deleted)"), program);
    EXPECT_EQ(ProgramOnDisk(program), program);
    EXPECT_EQ(ProgramOnDisk((root_ / "gone (deleted)").string()), (root_ / "gone").string());
    const std::string marked = Touch("odd (deleted)");
    EXPECT_EQ(ProgramOnDisk(marked), marked);
    EXPECT_EQ(ProgramOnDisk(" (deleted)"), "");
}

TEST_F(ProgramOnDiskTest, EntryWrittenForAReplacedProgramStartsTheNewFile) {
    const std::string program = Touch("pixolet");
    const AutostartEntry entry(root_ / "autostart" / "pixolet.desktop");
    ASSERT_TRUE(entry.Write(program + " (deleted)"));
    EXPECT_EQ(entry.Read(), program);
}

}  // namespace
}  // namespace pixolet::linux_common
