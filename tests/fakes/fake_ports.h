// Fakes of the platform ports for unit tests: a screen made of a colour
// function, a view that records what the core asks of it, and so on.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ports/clipboard_port.h"
#include "ports/colour_dialog_port.h"
#include "ports/readout_view_port.h"
#include "ports/screen_port.h"
#include "readout/input_hook.h"

namespace pixolet::fakes {

// A screen whose pixels are a map of written pixels over a colour function.
class FakeScreen : public ScreenPort {
  public:
    ScreenPoint cursor{100, 100};
    Size size{1024, 768};
    std::function<Colour(int, int)> colourAt = [](int, int) { return kBlack; };
    std::map<std::pair<int, int>, Colour> written;
    int blockReads = 0;
    int pixelReads = 0;
    int pixelWrites = 0;

    Colour Pixel(int x, int y) const {
        auto it = written.find({x, y});
        return it != written.end() ? it->second : colourAt(x, y);
    }

    ScreenPoint CursorPos() override { return cursor; }
    Size PrimarySize() override { return size; }
    Rect lastBlock;
    void ReadBlock(const Rect& area, Colour* out) override {
        ++blockReads;
        lastBlock = area;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) *out++ = Pixel(x, y);
    }
    void ReadPixels(const ScreenPoint* points, Colour* out, std::size_t count) override {
        for (std::size_t i = 0; i < count; ++i) {
            ++pixelReads;
            out[i] = Pixel(points[i].x, points[i].y);
        }
    }
    void WritePixels(const ScreenPoint* points, const Colour* colours, std::size_t count) override {
        for (std::size_t i = 0; i < count; ++i) {
            ++pixelWrites;
            written[{points[i].x, points[i].y}] = colours[i];
        }
    }
};

class FakeClock : public Clock {
  public:
    std::uint32_t now = 1000;
    // Added to `now` on every read, to simulate the time a run takes.
    std::uint32_t step = 0;
    std::uint32_t TickCount() override {
        const std::uint32_t t = now;
        now += step;
        return t;
    }
};

// A view with a fixed-pitch font: every character is `charWidth` wide and
// every text `lineHeight` high, like the worked layout example.
class FakeView : public ReadoutView {
  public:
    int charWidth = 6;
    int lineHeight = 12;
    bool visible = false;
    Rect bounds{490, 380, 490 + 251, 380 + 182};
    std::string showCaption = "Show";
    Shortcut menuShowHide = 0;
    Shortcut menuQuit = 0;
    FontDescription font;
    int repaints = 0;
    int shows = 0;
    int hides = 0;
    // The pass-through state as last set, and whether it was set before the
    // window showed.
    bool passThrough = true;
    bool passThroughAtShow = true;
    std::vector<std::pair<int, int>> moves;

    // The dpi MonitorDpi reports everywhere.
    int dpi = 96;
    // When set, the metrics above are those of the 10-pixel font and grow
    // with the height of the font set last (a 20-pixel font is twice as
    // wide and high).
    bool metricsFollowFont = false;

    int TextWidth(std::string_view text) const override {
        return static_cast<int>(text.size()) * Scaled(charWidth);
    }
    int TextHeight(std::string_view) const override { return Scaled(lineHeight); }
    int MonitorDpi(ScreenPoint) const override { return dpi; }
    bool IsVisible() const override { return visible; }
    Rect Bounds() const override { return bounds; }
    void Move(int left, int top) override {
        moves.emplace_back(left, top);
        const int w = bounds.Width();
        const int h = bounds.Height();
        bounds = Rect{left, top, left + w, top + h};
    }
    void Resize(int width, int height) override {
        bounds.right = bounds.left + width;
        bounds.bottom = bounds.top + height;
    }
    void Show() override {
        ++shows;
        visible = true;
        passThroughAtShow = passThrough;
    }
    void Hide() override {
        ++hides;
        visible = false;
    }
    void Repaint(bool) override { ++repaints; }
    void SetPointerPassThrough(bool through) override { passThrough = through; }
    void SetFont(const FontDescription& f) override {
        font = f;
        ++fontsSet;
    }
    int fontsSet = 0;
    void SetShowCaption(std::string_view caption) override { showCaption = caption; }
    void SetMenuShortcuts(Shortcut showHide, Shortcut quit) override {
        menuShowHide = showHide;
        menuQuit = quit;
    }

  private:
    int Scaled(int metric) const {
        if (!metricsFollowFont || font.height >= 0) return metric;
        return metric * -font.height / 10;
    }
};

class FakeClipboard : public ClipboardPort {
  public:
    bool refuse = false;
    std::string text;
    int writes = 0;
    bool SetText(const std::string& t) override {
        if (refuse) return false;
        ++writes;
        text = t;
        return true;
    }
};

class FakeColourDialog : public ColourDialogPort {
  public:
    std::optional<std::string> activeClass;
    std::vector<std::pair<int, std::string>> fieldWrites;
    std::optional<std::string> ActiveWindowClass() override { return activeClass; }
    void SetFieldText(int id, const std::string& text) override {
        fieldWrites.emplace_back(id, text);
    }
    // A toolkit's dialog box is active (one without numbered fields).
    bool toolkitDialogActive = false;
    std::vector<Colour> toolkitPastes;
    bool PasteIntoToolkitDialog(Colour colour) override {
        if (!toolkitDialogActive) return false;
        toolkitPastes.push_back(colour);
        return true;
    }
};

class FakeDesktop : public DesktopPort {
  public:
    bool readoutActive = false;
    int closesPosted = 0;
    int hookInstalls = 0;
    int hookRemovals = 0;
    int errorHandlerInstalls = 0;
    int terminations = 0;
    std::vector<std::string> errors;
    std::vector<std::pair<std::string, std::string>> questions;
    bool answerYes = false;
    std::string exePath = "/opt/pixolet/bin/pixolet";

    bool IsReadoutActive() override { return readoutActive; }
    void PostClose() override { ++closesPosted; }
    // When not empty, installing the input hook throws with this message.
    std::string hookInstallError;

    void InstallInputHook() override {
        if (!hookInstallError.empty()) throw std::runtime_error(hookInstallError);
        ++hookInstalls;
    }
    void RemoveInputHook() override { ++hookRemovals; }
    void InstallErrorHandler() override { ++errorHandlerInstalls; }
    void ShowError(std::string_view message) override { errors.emplace_back(message); }
    void Terminate() override { ++terminations; }
    std::string ExecutablePath() override { return exePath; }
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        questions.emplace_back(caption, text);
        return answerYes;
    }
};

class FakeKeys : public KeyStatePort {
  public:
    std::map<int, bool> down;
    bool IsDown(int virtualKey) const override {
        auto it = down.find(virtualKey);
        return it != down.end() && it->second;
    }
};

}  // namespace pixolet::fakes
