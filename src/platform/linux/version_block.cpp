#include "platform/linux/version_block.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace pixolet::linux_common {

namespace {

constexpr char kSectionName[] = ".pixolet_version";
constexpr std::string_view kStartMarker = "PIXOLET-VERSION-START";
constexpr std::string_view kEndMarker = "PIXOLET-VERSION-END";

// Keys and values, each ended by a NUL, as a version resource lists them.
// The Comments value holds three lines; its second one is the author line
// that the About page's logo shows on a double-click.
#define PIXOLET_VERSION_ENTRIES                \
    "CompanyName\0Velmora\0"                   \
    "FileDescription\0Pixolet colour picker\0" \
    "FileVersion\0"                            \
    "2.1.0.0\0"                                \
    "ProductName\0Pixolet\0"                   \
    "ProductVersion\0"                         \
    "2.1\0"                                    \
    "LegalCopyright\0Velmora\0"                \
    "Comments\0Mail: info@orvessa.example\r\n" \
    "Author: Tamsin Quarrel\r\n"               \
    "Mail: pixolet@velmora.example\0"

// `used` keeps the array although nothing refers to it: it is read from the
// file, not from memory.
[[gnu::used, gnu::section(".pixolet_version")]] const char kVersionSection[] =
    "PIXOLET-VERSION-START\0" PIXOLET_VERSION_ENTRIES "PIXOLET-VERSION-END";

template <typename T>
bool ReadAt(std::string_view image, std::uint64_t offset, T& out) {
    if (offset > image.size() || image.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, image.data() + offset, sizeof(T));
    return true;
}

// The named section's bytes, for either ELF class.
template <typename Ehdr, typename Shdr>
std::optional<std::string_view> FindSection(std::string_view image, std::string_view name) {
    Ehdr header{};
    if (!ReadAt(image, 0, header) || header.e_shentsize != sizeof(Shdr)) return std::nullopt;
    Shdr names{};
    if (header.e_shstrndx >= header.e_shnum ||
        !ReadAt(image, header.e_shoff + std::uint64_t{header.e_shstrndx} * sizeof(Shdr), names))
        return std::nullopt;
    for (std::uint64_t i = 0; i < header.e_shnum; ++i) {
        Shdr section{};
        if (!ReadAt(image, header.e_shoff + i * sizeof(Shdr), section)) return std::nullopt;
        const std::uint64_t nameAt = std::uint64_t{names.sh_offset} + section.sh_name;
        if (nameAt >= image.size()) continue;
        const std::string_view sectionName(image.data() + nameAt,
                                           strnlen(image.data() + nameAt, image.size() - nameAt));
        if (sectionName != name || section.sh_type == SHT_NOBITS) continue;
        if (section.sh_offset > image.size() || image.size() - section.sh_offset < section.sh_size)
            return std::nullopt;
        return image.substr(section.sh_offset, section.sh_size);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ExtractVersionBlock(std::string_view image) {
    if (image.size() < EI_NIDENT || std::memcmp(image.data(), ELFMAG, SELFMAG) != 0)
        return std::nullopt;
    std::optional<std::string_view> section;
    if (image[EI_CLASS] == ELFCLASS64)
        section = FindSection<Elf64_Ehdr, Elf64_Shdr>(image, kSectionName);
    else if (image[EI_CLASS] == ELFCLASS32)
        section = FindSection<Elf32_Ehdr, Elf32_Shdr>(image, kSectionName);
    if (!section) return std::nullopt;
    const std::size_t start = section->find(kStartMarker);
    if (start == std::string_view::npos) return std::nullopt;
    const std::size_t from = start + kStartMarker.size();
    const std::size_t end = section->find(kEndMarker, from);
    if (end == std::string_view::npos) return std::nullopt;
    return std::string(section->substr(from, end - from));
}

std::optional<std::string> ReadOwnVersionBlock() {
    std::ifstream file("/proc/self/exe", std::ios::binary);
    if (!file) return std::nullopt;
    const std::string image{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return std::nullopt;
    return ExtractVersionBlock(image);
}

}  // namespace pixolet::linux_common
