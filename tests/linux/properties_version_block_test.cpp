// The version block that the program carries in its own file.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/linux/version_block.h"
#include "settings/version_info.h"

namespace pixolet::linux_common {
namespace {

std::string OwnImage() {
    std::ifstream file("/proc/self/exe", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(VersionBlock, TheRunningFileCarriesItWithTheAuthorLine) {
    const std::optional<std::string> block = ReadOwnVersionBlock();
    ASSERT_TRUE(block.has_value());
    EXPECT_NE(block->find(std::string("FileVersion\0"
                                      "2.1.0.0\0",
                                      20)),
              std::string::npos);
    EXPECT_NE(block->find(std::string("ProductName\0Pixolet\0", 20)), std::string::npos);
    const std::string author = AuthorLine(*block);
    EXPECT_EQ(author.rfind("Author: ", 0), 0u) << author;
    EXPECT_EQ(author.find('\r'), std::string::npos);
    EXPECT_GT(author.size(), 8u);
}

TEST(VersionBlock, DamagedOrForeignFilesGiveNothing) {
    const std::string image = OwnImage();
    ASSERT_GT(image.size(), 64u);
    // Cut anywhere before the section headers, or with a header that points
    // past the end: nothing is read outside the image.
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{3}, std::size_t{16}, std::size_t{64}, image.size() / 2}) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(ExtractVersionBlock(std::string_view(image).substr(0, size)).has_value());
    }
    EXPECT_FALSE(
        ExtractVersionBlock("#!/bin/sh\nPIXOLET-VERSION-START x PIXOLET-VERSION-END").has_value());
    std::string corrupt = image;
    // e_shoff (64-bit ELF, offset 40) far beyond the file.
    for (int i = 0; i < 8; ++i) corrupt[40 + i] = '\x7f';
    EXPECT_FALSE(ExtractVersionBlock(corrupt).has_value());
}

}  // namespace
}  // namespace pixolet::linux_common
