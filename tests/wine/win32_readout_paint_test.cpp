// The readout scene painted into a memory bitmap and read back pixel by
// pixel; the font description and the menu texts as Win32 gets them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/readout_paint.h"
#include "platform/win32/tray.h"

namespace pixolet::win32 {
namespace {

// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
  public:
    Canvas(int width, int height) : dc_(nullptr), width_(width) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const DWORD*>(bits);
        previous_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~Canvas() { SelectObject(dc_.get(), previous_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_.get(); }
    DWORD At(int x, int y) const {
        GdiFlush();
        return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                     static_cast<std::size_t>(x)] &
               0xFFFFFFU;
    }

  private:
    MemoryDc dc_;
    int width_;
    Bitmap bitmap_;
    const DWORD* bits_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

ReadoutScene SmallScene() {
    ReadoutScene scene;
    scene.width = 64;
    scene.height = 56;
    scene.zoom = SceneShape{7, 9, 20, 20};
    scene.swatch = SceneShape{30, 20, 9, 9};
    for (SceneLabel& label : scene.labels) label.visible = false;
    return scene;
}

TEST(DibPixel, SwapsRedAndBlue) {
    EXPECT_EQ(DibPixel(MakeColour(0x12, 0x34, 0x56)), 0x123456u);
    EXPECT_EQ(DibPixel(kBlue), 0x0000FFu);
    EXPECT_EQ(DibPixel(kSilver), 0xC0C0C0u);
}

TEST(PaintScene, LiveMagnifierAndSwatchAreBlittedOneToOne) {
    ReadoutScene scene = SmallScene();
    scene.live = true;
    scene.magnifier = PixelBuffer(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            scene.magnifier.Set(x, y,
                                MakeColour(static_cast<std::uint8_t>(x * 12),
                                           static_cast<std::uint8_t>(y * 12), 0x5A));
    scene.swatchPixels = PixelBuffer(9, 9, MakeColour(200, 100, 50));
    Canvas canvas(scene.width, scene.height);
    PaintScene(canvas.dc(), scene, nullptr, kBlue);

    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(canvas.At(7 + x, 9 + y), DibPixel(scene.magnifier.At(x, y))) << x << "," << y;
    EXPECT_EQ(canvas.At(30, 20), 0xC86432u);
    EXPECT_EQ(canvas.At(38, 28), 0xC86432u);
}

struct PixelCase {
    int x;
    int y;
    DWORD rgb;
};

TEST(PaintScene, PlainLookFrameAndBackground) {
    const ReadoutScene scene = SmallScene();  // not live
    Canvas canvas(scene.width, scene.height);
    PaintScene(canvas.dc(), scene, nullptr, kBlue);
    const PixelCase cases[] = {
        {0, 0, 0x0000FF},   {63, 0, 0x0000FF},  {0, 55, 0x0000FF},  {63, 55, 0x0000FF},
        {32, 0, 0x0000FF},  {63, 30, 0x0000FF}, {1, 1, 0xC0C0C0},   {62, 54, 0xC0C0C0},
        {7, 9, 0x000000},   {26, 28, 0x000000}, {8, 10, 0xC0C0C0},  {17, 18, 0xC0C0C0},
        {27, 18, 0xC0C0C0},  // just right of the magnifier
        {30, 20, 0x000000}, {38, 28, 0x000000}, {31, 21, 0xFFFFFF}, {37, 27, 0xFFFFFF},
    };
    for (const PixelCase& c : cases) EXPECT_EQ(canvas.At(c.x, c.y), c.rgb) << c.x << "," << c.y;
}

TEST(PaintScene, LiveBufferOfAnotherSizeShowsThePlainLook) {
    ReadoutScene scene = SmallScene();
    scene.live = true;
    scene.magnifier = PixelBuffer(5, 5, kWhite);  // stale: the layout changed
    Canvas canvas(scene.width, scene.height);
    PaintScene(canvas.dc(), scene, nullptr, kBlue);
    EXPECT_EQ(canvas.At(7, 9), 0x000000u);
    EXPECT_EQ(canvas.At(9, 11), 0xC0C0C0u);
}

TEST(PaintScene, LabelsDrawOnlyInsideTheirBoxInTheFontColour) {
    ReadoutScene scene = SmallScene();
    scene.labels[lblR] = SceneLabel{"R 888", 30, 2, true};
    scene.labels[lblG] = SceneLabel{"G 888", 30, 40, false};
    FontDescription description;
    description.name = "Arial";
    description.height = -10;
    const LOGFONTA log = ToLogFont(description);
    const Font font(CreateFontIndirectA(&log));
    ASSERT_TRUE(font);
    Canvas canvas(scene.width, scene.height);
    PaintScene(canvas.dc(), scene, font.get(), MakeColour(0, 0x80, 0));

    SIZE box{};
    {
        const SelectGuard selected(canvas.dc(), font.get());
        GetTextExtentPoint32A(canvas.dc(), "R 888", 5, &box);
    }
    int inked = 0;
    for (int y = 1; y < scene.height - 1; ++y) {
        for (int x = 1; x < scene.width - 1; ++x) {
            const DWORD p = canvas.At(x, y);
            const bool inBox = x >= 30 && x < 30 + box.cx && y >= 2 && y < 2 + box.cy;
            const bool shape =
                (x >= 7 && x < 27 && y >= 9 && y < 29) || (x >= 30 && x < 39 && y >= 20 && y < 29);
            if (p == 0x008000) ++inked;
            if (!inBox && !shape) {
                ASSERT_EQ(p, 0xC0C0C0u) << x << "," << y;
            }
        }
    }
    EXPECT_GT(inked, 10);  // the text is there, in its colour, no background box
}

TEST(PaintScene, DistanceBarThumbFollowsThePosition) {
    ReadoutScene scene = SmallScene();
    scene.bar = SceneBar{SceneShape{6, 40, 53, 5}, 100, 0, true};
    Canvas atStart(scene.width, scene.height);
    PaintScene(atStart.dc(), scene, nullptr, kBlue);
    scene.bar.position = 100;
    Canvas atEnd(scene.width, scene.height);
    PaintScene(atEnd.dc(), scene, nullptr, kBlue);
    // Thumb 3 pixels wide at the left end, then at the right end.
    EXPECT_EQ(atStart.At(6, 40), 0xA0A0A0u);
    EXPECT_EQ(atStart.At(56, 40), 0xC0C0C0u);
    EXPECT_EQ(atEnd.At(56, 40), 0xA0A0A0u);
    EXPECT_EQ(atEnd.At(6, 40), 0xC0C0C0u);
    // The groove: dark line over a white one.
    EXPECT_EQ(atEnd.At(30, 41), 0x808080u);
    EXPECT_EQ(atEnd.At(30, 42), 0xFFFFFFu);
}

// `scene` as the core lays it out on a monitor of `scale` times the pixels:
// every place and size multiplied, the live buffers with each pixel a
// `scale` by `scale` block.
ReadoutScene Magnified(const ReadoutScene& scene, int scale) {
    ReadoutScene out = scene;
    out.scale = scale;
    out.width *= scale;
    out.height *= scale;
    for (SceneShape* shape : {&out.zoom, &out.swatch, &out.bar.bounds}) {
        shape->left *= scale;
        shape->top *= scale;
        shape->width *= scale;
        shape->height *= scale;
    }
    for (auto [from, to] : {std::pair{&scene.magnifier, &out.magnifier},
                            std::pair{&scene.swatchPixels, &out.swatchPixels}}) {
        *to = PixelBuffer(from->Width() * scale, from->Height() * scale);
        for (int y = 0; y < to->Height(); ++y)
            for (int x = 0; x < to->Width(); ++x) to->Set(x, y, from->At(x / scale, y / scale));
    }
    return out;
}

TEST(PaintScene, AtTwiceTheScaleEveryPixelBecomesATwoByTwoBlock) {
    for (const bool live : {false, true}) {
        for (const int position : {0, 37, 100}) {
            SCOPED_TRACE(testing::Message() << "live " << live << ", bar at " << position);
            ReadoutScene scene = SmallScene();
            scene.live = live;
            scene.magnifier = PixelBuffer(20, 20);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x)
                    scene.magnifier.Set(x, y,
                                        MakeColour(static_cast<std::uint8_t>(x * 12),
                                                   static_cast<std::uint8_t>(y * 12), 0x5A));
            scene.swatchPixels = PixelBuffer(9, 9, MakeColour(200, 100, 50));
            scene.bar = SceneBar{SceneShape{6, 40, 53, 5}, 100, position, true};
            const ReadoutScene twice = Magnified(scene, 2);

            Canvas small(scene.width, scene.height);
            PaintScene(small.dc(), scene, nullptr, kBlue);
            Canvas large(twice.width, twice.height);
            PaintScene(large.dc(), twice, nullptr, kBlue);
            for (int y = 0; y < twice.height; ++y)
                for (int x = 0; x < twice.width; ++x)
                    ASSERT_EQ(large.At(x, y), small.At(x / 2, y / 2)) << x << "," << y;
        }
    }
}

TEST(PaintScene, FrameAndPlainOutlinesAreAsThickAsTheScale) {
    const ReadoutScene scene = Magnified(SmallScene(), 3);  // not live
    Canvas canvas(scene.width, scene.height);
    PaintScene(canvas.dc(), scene, nullptr, kBlue);
    const PixelCase cases[] = {
        {0, 0, 0x0000FF},     {2, 2, 0x0000FF},     {3, 3, 0xC0C0C0},
        {189, 100, 0x0000FF}, {191, 167, 0x0000FF}, {188, 164, 0xC0C0C0},  // the frame
        {21, 27, 0x000000},   {23, 29, 0x000000},   {24, 30, 0xC0C0C0},    // the magnifier
        {92, 62, 0x000000},   {95, 65, 0xFFFFFF},                          // the swatch
    };
    for (const PixelCase& c : cases) EXPECT_EQ(canvas.At(c.x, c.y), c.rgb) << c.x << "," << c.y;
}

TEST(ToLogFont, CarriesHeightStylesAndAShortenedName) {
    FontDescription d;
    d.name = std::string(40, 'N');
    d.height = -13;
    d.bold = true;
    d.italic = true;
    d.underline = true;
    d.strikeOut = true;
    const LOGFONTA log = ToLogFont(d);
    EXPECT_EQ(log.lfHeight, -13);
    EXPECT_EQ(log.lfWeight, FW_BOLD);
    EXPECT_TRUE(log.lfItalic && log.lfUnderline && log.lfStrikeOut);
    EXPECT_EQ(std::strlen(log.lfFaceName), static_cast<std::size_t>(LF_FACESIZE - 1));

    const LOGFONTA plain = ToLogFont(FontDescription{});
    EXPECT_EQ(plain.lfHeight, -10);
    EXPECT_EQ(plain.lfWeight, FW_NORMAL);
    EXPECT_FALSE(plain.lfItalic || plain.lfUnderline || plain.lfStrikeOut);
    EXPECT_STREQ(plain.lfFaceName, "Courier New");
    // Where the face is missing, the fallback is monospaced.
    EXPECT_EQ(plain.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
}

struct EntryCase {
    const char* caption;
    Shortcut shortcut;
    const char* text;
};

TEST(MenuEntryText, CaptionTabShortcutWithAmpersandsKept) {
    const EntryCase cases[] = {
        {"Hide", kShortcutCtrl | kShortcutShift | 'H', "Hide\tCtrl+Shift+H"},
        {"Quit", 0, "Quit"},
        {"Quit", kShortcutAlt | 0x73, "Quit\tAlt+F4"},
        {"A&B", 0, "A&&B"},
    };
    for (const EntryCase& c : cases) EXPECT_EQ(MenuEntryText(c.caption, c.shortcut), c.text);
}

TEST(PopupMenu, EntriesFollowTheCaptionAndTheShortcuts) {
    PopupMenu menu;
    EXPECT_EQ(menu.EntryText(MenuCommand::Show1), "Show");
    EXPECT_EQ(menu.EntryText(MenuCommand::Properties), "Properties");
    EXPECT_EQ(menu.EntryText(MenuCommand::Quit1), "Quit");
    menu.SetShortcuts(kShortcutCtrl | kShortcutShift | 'H', kShortcutCtrl | 'Q');
    menu.SetShowCaption("Hide");
    EXPECT_EQ(menu.EntryText(MenuCommand::Show1), "Hide\tCtrl+Shift+H");
    EXPECT_EQ(menu.EntryText(MenuCommand::Quit1), "Quit\tCtrl+Q");
    menu.SetShortcuts(0, 0);
    EXPECT_EQ(menu.EntryText(MenuCommand::Show1), "Hide");
}

}  // namespace
}  // namespace pixolet::win32
