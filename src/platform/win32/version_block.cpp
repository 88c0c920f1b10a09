#include "platform/win32/version_block.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace pixolet::win32 {

namespace {

// Room that the size call may not count: the block is read into a buffer a
// little larger than it, and the whole buffer is searched.
constexpr DWORD kSlack = 10;
constexpr char kUtf16Key[] = "V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0";
// VS_VERSIONINFO: wLength, wValueLength, then wType only in a 32-bit block.
constexpr std::size_t kUtf16KeyOffset = 6;

}  // namespace

std::string NarrowVersionBlock(std::string_view raw) {
    const std::string_view key(kUtf16Key, sizeof kUtf16Key - 1);
    if (raw.size() < kUtf16KeyOffset + key.size() || raw.substr(kUtf16KeyOffset, key.size()) != key)
        return std::string(raw);
    std::string narrow;
    narrow.reserve(raw.size() / 2);
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        const unsigned char low = static_cast<unsigned char>(raw[i]);
        const unsigned char high = static_cast<unsigned char>(raw[i + 1]);
        narrow += high == 0 ? static_cast<char>(low) : '?';
    }
    return narrow;
}

std::string OwnExecutablePath() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        // A full buffer may mean a cut path: try again with more room.
        if (length < path.size()) return std::string(path.data(), length);
        if (path.size() >= 32768) return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

std::optional<std::string> ReadOwnVersionBlock() {
    const std::string path = OwnExecutablePath();
    if (path.empty()) return std::nullopt;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return std::nullopt;
    std::vector<char> buffer(static_cast<std::size_t>(size) + kSlack, '\0');
    if (!GetFileVersionInfoA(path.c_str(), handle, size, buffer.data())) return std::nullopt;
    return NarrowVersionBlock(std::string_view(buffer.data(), buffer.size()));
}

}  // namespace pixolet::win32
