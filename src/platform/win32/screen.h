// The whole desktop through the screen DC: pointer position, primary screen
// size, one BitBlt per sample block and the single marker pixels drawn over
// every window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "platform/win32/gdi_handles.h"
#include "ports/screen_port.h"

namespace pixolet::win32 {

// Logical pixels per inch of the screen, 96 when it cannot be read.
int ScreenLogicalDpi();

// Pixels outside every monitor read as this, as on Linux.
constexpr Colour kOffScreenColour = kBlack;

// From the GUI thread only. The DIB section that receives the blocks is kept
// between calls and only grows, so a run at an unchanged size allocates
// nothing.
class Win32Screen : public ScreenPort {
  public:
    Win32Screen() = default;
    ~Win32Screen() override;
    Win32Screen(const Win32Screen&) = delete;
    Win32Screen& operator=(const Win32Screen&) = delete;

    ScreenPoint CursorPos() override;
    Size PrimarySize() override;
    void ReadBlock(const Rect& area, Colour* out) override;
    void ReadPixels(const ScreenPoint* points, Colour* out, std::size_t count) override;
    void WritePixels(const ScreenPoint* points, const Colour* colours, std::size_t count) override;

  private:
    // A DIB section of at least width x height in memory_, or false.
    bool EnsureTarget(HDC screen, int width, int height);
    // The monitors that meet `area`, into monitors_.
    void CollectMonitors(const Rect& area);

    MemoryDc memory_;
    Bitmap dib_;
    HBITMAP original_ = nullptr;  // the memory DC's own bitmap, put back first
    const std::uint32_t* bits_ = nullptr;
    int dibWidth_ = 0;
    int dibHeight_ = 0;
    std::vector<Rect> monitors_;
    ScreenPoint lastCursor_{};
};

}  // namespace pixolet::win32
