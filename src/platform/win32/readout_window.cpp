#include "platform/win32/readout_window.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/font_chooser.h"
#include "platform/win32/monitor_dpi.h"
#include "platform/win32/readout_paint.h"
#include "readout/readout_window.h"

namespace pixolet::win32 {

namespace {

constexpr char kCaption[] = "Pixolet";
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
// A transparent window alone is still hit by the pointer over windows of
// other threads; layered as well, it is skipped by the hit test everywhere.
constexpr LONG_PTR kPassThroughStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT;

// BeginPaint and EndPaint for one scope.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace

ReadoutWindow::ReadoutWindow(HINSTANCE instance, HWND application)
    : application_(application), measureDc_(nullptr) {
    // The resource's size and place; the layout replaces both before the
    // first show.
    WindowOptions options;
    options.className = kReadoutWindowClass;
    options.exStyle = kExStyle;
    options.title = kCaption;
    options.left = 490;
    options.top = 380;
    options.width = 251;
    options.height = 182;
    options.parent = application;
    window_ = CreateBoundWindow(instance, options, this);
    SetFont(FontDescription{});
    // It starts out following the pointer.
    SetPointerPassThrough(true);
}

ReadoutWindow::~ReadoutWindow() {
    DestroyBoundWindow(window_);
}

void ReadoutWindow::Attach(TfrmPixoletMain* window, PopupMenu* menu, CoreCall guard,
                           std::function<void(POINT)> onContextMenu) {
    core_ = window;
    menu_ = menu;
    guard_ = std::move(guard);
    onContextMenu_ = std::move(onContextMenu);
}

SIZE ReadoutWindow::Extent(std::string_view text) const {
    SIZE size{0, 0};
    if (!measureDc_) return size;
    const SelectGuard selected(measureDc_.get(), font_.get());
    GetTextExtentPoint32A(measureDc_.get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

int ReadoutWindow::TextWidth(std::string_view text) const {
    return Extent(text).cx;
}

int ReadoutWindow::TextHeight(std::string_view text) const {
    return Extent(text).cy;
}

bool ReadoutWindow::IsVisible() const {
    return window_ != nullptr && IsWindowVisible(window_) != FALSE;
}

Rect ReadoutWindow::Bounds() const {
    RECT r{};
    if (window_) GetWindowRect(window_, &r);
    return Rect{r.left, r.top, r.right, r.bottom};
}

void ReadoutWindow::Move(int left, int top) {
    // A move to where the window is costs the desktop a repaint for nothing.
    const Rect now = Bounds();
    if (now.left == left && now.top == top) return;
    SetWindowPos(window_, nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void ReadoutWindow::Resize(int width, int height) {
    painted_.Invalidate();
    SetWindowPos(window_, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void ReadoutWindow::Show() {
    if (IsVisible()) return;
    painted_.Invalidate();
    // The application window as a bare tool window: the program keeps no
    // taskbar button.
    if (application_) SetWindowLongA(application_, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // Painted now: the window never shows the desktop its unpainted surface.
    UpdateWindow(window_);
}

void ReadoutWindow::Hide() {
    ShowWindow(window_, SW_HIDE);
}

void ReadoutWindow::SetPointerPassThrough(bool passThrough) {
    if (!window_) return;
    const LONG_PTR style = GetWindowLongPtrA(window_, GWL_EXSTYLE);
    const LONG_PTR wanted =
        passThrough ? (style | kPassThroughStyle) : (style & ~kPassThroughStyle);
    if (wanted == style) return;
    SetWindowLongPtrA(window_, GWL_EXSTYLE, wanted);
    // A layered window shows nothing until its attributes are set: fully
    // opaque, painted by WM_PAINT as before.
    if (passThrough) SetLayeredWindowAttributes(window_, 0, 255, LWA_ALPHA);
    // Leaving or entering the layered state drops what the window showed.
    painted_.Invalidate();
    InvalidateRect(window_, nullptr, FALSE);
}

void ReadoutWindow::Repaint(bool now) {
    if (!window_) return;
    if (now) painted_.Invalidate();
    damage_.clear();
    if (!core_ || painted_.Change(core_->Scene(), *this, damage_)) {
        InvalidateRect(window_, nullptr, FALSE);
    } else {
        // Italic and overhanging glyphs reach a little past their text's
        // advance, further in a larger font.
        const int scale = core_ ? std::max(core_->Scene().scale, 1) : 1;
        for (const Rect& r : damage_) {
            RECT area{r.left - 2 * scale, r.top - scale, r.right + 2 * scale, r.bottom + scale};
            InvalidateRect(window_, &area, FALSE);
        }
    }
    if (now) UpdateWindow(window_);
}

void ReadoutWindow::SetFont(const FontDescription& font) {
    const LOGFONTA log = ToLogFont(font);
    Font created(CreateFontIndirectA(&log));
    // Keep the old font when the system refuses the new one.
    if (created) font_ = std::move(created);
    // A system colour is looked up at each paint: the scheme may change.
    textColour_ = font.colour;
    painted_.Invalidate();
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

int ReadoutWindow::MonitorDpi(ScreenPoint at) const {
    return MonitorDpiAt(POINT{at.x, at.y});
}

void ReadoutWindow::SetShowCaption(std::string_view caption) {
    if (menu_) menu_->SetShowCaption(caption);
}

void ReadoutWindow::SetMenuShortcuts(Shortcut showHide, Shortcut quit) {
    if (menu_) menu_->SetShortcuts(showHide, quit);
}

LRESULT ReadoutWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_DPICHANGED:
            // The window reached a monitor of another scale, or the user
            // changed one: the readout follows the monitor under the
            // pointer, and its layout gives the size, not the system's
            // suggested rectangle.
            if (core_ && guard_) guard_([this] { core_->ApplyMonitorDpi(PointerMonitorDpi()); });
            return 0;
        case WM_CONTEXTMENU:
            // PopupMenu1 is the window's context menu as well as the tray icon's.
            if (onContextMenu_) {
                POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (at.x == -1 && at.y == -1) GetCursorPos(&at);
                onContextMenu_(at);
            }
            return 0;
        case WM_CLOSE:
            // FormClose ends measuring mode, removes the input source and
            // ends the message loop; the window itself goes with the shell.
            if (core_ && guard_) guard_([this] { core_->FormClose(); });
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void ReadoutWindow::OnPaint() {
    {
        const PaintScope paint(window_);
        RECT client{};
        GetClientRect(window_, &client);
        const int width = client.right - client.left;
        const int height = client.bottom - client.top;
        if (paint.dc() && width > 0 && height > 0) {
            // Drawn off screen and copied in one go: no flicker between the
            // background and the labels.
            MemoryDc back(paint.dc());
            Bitmap bitmap(CreateCompatibleBitmap(paint.dc(), width, height));
            if (back && bitmap) {
                const SelectGuard selected(back.get(), bitmap.get());
                static const ReadoutScene kEmptyScene{};
                const ReadoutScene& scene = core_ ? core_->Scene() : kEmptyScene;
                PaintScene(back.get(), scene, font_.get(), SystemPaintColour(textColour_));
                BitBlt(paint.dc(), 0, 0, width, height, back.get(), 0, 0, SRCCOPY);
            }
        }
    }
    // The screen markers of measuring mode, over whatever the paint covered.
    if (core_ && guard_) guard_([this] { core_->FormPaint(); });
}

}  // namespace pixolet::win32
