#include "platform/win32/screen.h"

#include <algorithm>
#include <utility>

namespace pixolet::win32 {

int ScreenLogicalDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

namespace {

Rect FromRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool OnSomeMonitor(ScreenPoint p) {
    return MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONULL) != nullptr;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM data) {
    reinterpret_cast<std::vector<Rect>*>(data)->push_back(FromRect(*bounds));
    return TRUE;
}

// A DIB pixel holds blue in the low byte; a Colour holds red there.
constexpr Colour FromDibPixel(std::uint32_t p) {
    return MakeColour(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                      static_cast<std::uint8_t>(p));
}

}  // namespace

Win32Screen::~Win32Screen() {
    // The section may only be deleted once it is no longer selected.
    if (memory_ && original_ != nullptr) SelectObject(memory_.get(), original_);
}

ScreenPoint Win32Screen::CursorPos() {
    POINT p{};
    // GetCursorPos fails while another desktop (a secure one) has the input;
    // the last known position is the best answer then.
    if (GetCursorPos(&p)) lastCursor_ = ScreenPoint{p.x, p.y};
    return lastCursor_;
}

Size Win32Screen::PrimarySize() {
    return Size{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool Win32Screen::EnsureTarget(HDC screen, int width, int height) {
    if (bits_ != nullptr && width <= dibWidth_ && height <= dibHeight_) return true;
    if (!memory_) memory_ = MemoryDc(screen);
    if (!memory_) return false;
    const int newWidth = std::max(width, dibWidth_);
    const int newHeight = std::max(height, dibHeight_);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = newWidth;
    info.bmiHeader.biHeight = -newHeight;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap section(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || bits == nullptr) return false;
    HGDIOBJ previous = SelectObject(memory_.get(), section.get());
    if (previous == nullptr || previous == HGDI_ERROR) return false;
    if (original_ == nullptr) original_ = static_cast<HBITMAP>(previous);
    dib_ = std::move(section);  // the old section, now deselected, is deleted
    bits_ = static_cast<const std::uint32_t*>(bits);
    dibWidth_ = newWidth;
    dibHeight_ = newHeight;
    return true;
}

void Win32Screen::CollectMonitors(const Rect& area) {
    monitors_.clear();
    const RECT clip{area.left, area.top, area.right, area.bottom};
    EnumDisplayMonitors(nullptr, &clip, AddMonitor, reinterpret_cast<LPARAM>(&monitors_));
}

void Win32Screen::ReadBlock(const Rect& area, Colour* out) {
    const int width = std::max(area.Width(), 0);
    const int height = std::max(area.Height(), 0);
    const std::size_t cells = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::fill_n(out, cells, kOffScreenColour);
    if (cells == 0) return;
    CollectMonitors(area);
    if (monitors_.empty()) return;
    WindowDc screen(nullptr);
    if (!screen || !EnsureTarget(screen.get(), width, height)) return;
    // Only the part inside the virtual screen is copied: a source that
    // reaches beyond it is not copied reliably everywhere. CAPTUREBLT takes
    // layered windows along, as the user sees them.
    const int desktopLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int desktopTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const Rect desktop{desktopLeft, desktopTop, desktopLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                       desktopTop + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const Rect copied = Intersect(area, desktop);
    if (copied.Empty() ||
        !BitBlt(memory_.get(), copied.left - area.left, copied.top - area.top, copied.Width(),
                copied.Height(), screen.get(), copied.left, copied.top, SRCCOPY | CAPTUREBLT))
        return;
    GdiFlush();
    // Between and beside monitors the screen DC holds nothing real: only the
    // parts on a monitor are taken from the copy.
    for (const Rect& monitor : monitors_) {
        const Rect part = Intersect(copied, monitor);
        for (int y = part.top; y < part.bottom; ++y) {
            const std::uint32_t* source =
                bits_ + static_cast<std::ptrdiff_t>(y - area.top) * dibWidth_ - area.left;
            Colour* target = out + static_cast<std::ptrdiff_t>(y - area.top) * width - area.left;
            for (int x = part.left; x < part.right; ++x) target[x] = FromDibPixel(source[x]);
        }
    }
}

void Win32Screen::ReadPixels(const ScreenPoint* points, Colour* out, std::size_t count) {
    std::fill_n(out, count, kOffScreenColour);
    if (count == 0) return;
    WindowDc screen(nullptr);
    if (!screen) return;
    for (std::size_t i = 0; i < count; ++i) {
        if (!OnSomeMonitor(points[i])) continue;
        const COLORREF pixel = GetPixel(screen.get(), points[i].x, points[i].y);
        // A COLORREF has the Colour layout: red in the low byte.
        if (pixel != CLR_INVALID) out[i] = static_cast<Colour>(pixel) & 0xFFFFFF;
    }
}

void Win32Screen::WritePixels(const ScreenPoint* points, const Colour* colours, std::size_t count) {
    if (count == 0) return;
    WindowDc screen(nullptr);
    if (!screen) return;
    for (std::size_t i = 0; i < count; ++i) {
        if (!OnSomeMonitor(points[i])) continue;
        SetPixelV(screen.get(), points[i].x, points[i].y, static_cast<COLORREF>(colours[i]));
    }
    GdiFlush();
}

}  // namespace pixolet::win32
