#include <gtest/gtest.h>

#include <vector>

#include "actions/clipboard_text.h"
#include "fakes/fake_environment.h"
#include "readout/area_sample.h"
#include "readout/magnifier.h"

namespace pixolet {
namespace {

// A 1-pixel black and white checkerboard, white where x + y is even.
Colour Checker(int x, int y) {
    return (x + y) % 2 == 0 ? kWhite : kBlack;
}

std::vector<Colour> Block(int radius, Colour (*at)(int, int)) {
    std::vector<Colour> block;
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x) block.push_back(at(x, y));
    return block;
}

TEST(SampleMean, CheckerboardWithWhiteUnderThePointer) {
    const std::vector<Colour> block = Block(5, Checker);
    EXPECT_EQ(SampleMean(block.data(), 5, 1), kWhite);
    EXPECT_EQ(SampleMean(block.data(), 5, 3), MakeColour(142, 142, 142));  // 5 of 9 white
    EXPECT_EQ(SampleMean(block.data(), 5, 5), MakeColour(133, 133, 133));  // 13 of 25
}

TEST(SampleMean, ChannelsAveragedSeparatelyToTheNearestInteger) {
    // An odd number of cells never gives a mean of exactly a half.
    std::vector<Colour> block(9, MakeColour(0, 0, 5));
    block[0] = MakeColour(255, 0, 5);  // red 255 / 9 = 28.3
    block[4] = MakeColour(0, 9, 9);    // green 9 / 9 = 1, blue 49 / 9 = 5.4
    EXPECT_EQ(SampleMean(block.data(), 1, 3), MakeColour(28, 1, 5));
    block.assign(9, kBlack);
    for (int i = 0; i < 5; ++i) block[static_cast<std::size_t>(i)] = MakeColour(1, 0, 0);
    EXPECT_EQ(RedOf(SampleMean(block.data(), 1, 3)), 1);  // 0.56
    block[0] = kBlack;
    EXPECT_EQ(RedOf(SampleMean(block.data(), 1, 3)), 0);  // 0.44

    std::vector<Colour> wide(25, kBlack);
    for (int i = 0; i < 12; ++i) wide[static_cast<std::size_t>(i)] = MakeColour(1, 0, 0);
    EXPECT_EQ(RedOf(SampleMean(wide.data(), 2, 5)), 0);  // 0.48
    wide[12] = MakeColour(1, 0, 0);
    EXPECT_EQ(RedOf(SampleMean(wide.data(), 2, 5)), 1);  // 0.52
}

TEST(SampleMean, SizesBeyondTheBlockTakeTheWholeBlock) {
    const std::vector<Colour> block = Block(1, Checker);
    EXPECT_EQ(SampleMean(block.data(), 1, 5), MakeColour(142, 142, 142));
    EXPECT_EQ(SampleMean(block.data(), 1, 0), kWhite);
    EXPECT_EQ(SampleMean(block.data(), 0, 3), kWhite);
}

// The readout over a checkerboard: the current colour, the swatch, the copy
// and the magnifier's outline of the sampled cells.
class AreaSample : public testing::Test {
  protected:
    void SetUp() override {
        env.screen.colourAt = Checker;
        w.ShowHide(Sender::Window);
    }
    void SampleAt(int size, int x, int y) {
        w.settings.SampleSize = size;
        env.screen.cursor = {x, y};
        w.TrackingUpdate();
    }
    fakes::FakeEnvironment env;
    TfrmPixoletMain& w = env.window;
};

TEST_F(AreaSample, TheMeanIsTheColourEverywhere) {
    SampleAt(3, 300, 200);
    EXPECT_EQ(w.CurrentColor, MakeColour(142, 142, 142));
    EXPECT_EQ(w.Scene().swatchPixels.At(4, 4), w.CurrentColor);
    EXPECT_EQ(w.Scene().labels[lblR].text, "R 142");
    w.settings.ClipboardFormat = kClipCssHex;
    ASSERT_TRUE(w.CopyColorToClipboard());
    EXPECT_EQ(env.clipboard.text, "#8E8E8E");
    SampleAt(5, 300, 200);
    EXPECT_EQ(w.CurrentColor, MakeColour(133, 133, 133));
    // Black under the pointer: 4 of 9 white.
    SampleAt(3, 301, 200);
    EXPECT_EQ(w.CurrentColor, MakeColour(113, 113, 113));
}

TEST_F(AreaSample, ABlockReachesAsFarAsTheSampleNeeds) {
    // Zoom 7 on a 39-pixel magnifier shows 3 pixels each side; 5 x 5 needs 2.
    w.settings.Zoom = 7;
    SampleAt(5, 300, 200);
    EXPECT_EQ(env.screen.lastBlock, (Rect{297, 197, 304, 204}));
    EXPECT_EQ(w.CurrentColor, MakeColour(133, 133, 133));
}

TEST_F(AreaSample, OffScreenCellsCountAsTheBlackTheScreenGives) {
    env.screen.colourAt = [](int x, int y) { return x < 0 || y < 0 ? kBlack : kWhite; };
    SampleAt(3, 0, 0);
    // 4 white of 9.
    EXPECT_EQ(w.CurrentColor, MakeColour(113, 113, 113));
}

TEST(MagnifierOutline, RingJustOutsideTheSampledCells) {
    // 39 x 39 at zoom 4: cell i covers 4i - 2 .. 4i + 1; the centre cell
    // (r = 5) covers 18..21. The 3 x 3 cells cover 14..25, so the ring is
    // the square 13..26.
    const std::vector<Colour> block(11 * 11, MakeColour(10, 20, 30));
    PixelBuffer plain(39, 39), ringed(39, 39);
    RenderMagnifier(block.data(), 5, MagnifierLook{5, 4, 1, 1}, MakeColour(10, 20, 30), plain);
    RenderMagnifier(block.data(), 5, MagnifierLook{5, 4, 1, 3}, MakeColour(10, 20, 30), ringed);
    for (int i = 13; i <= 26; ++i) {
        for (auto [x, y] : {std::pair{i, 13}, std::pair{i, 26}, std::pair{13, i}, std::pair{26, i}})
            EXPECT_EQ(ringed.At(x, y), kWhite) << x << "," << y;
    }
    EXPECT_EQ(ringed.At(14, 14), MakeColour(10, 20, 30));
    EXPECT_EQ(ringed.At(12, 12), MakeColour(10, 20, 30));
    // Outside the ring the picture is the plain one.
    int differing = 0;
    for (int y = 0; y < 39; ++y)
        for (int x = 0; x < 39; ++x) differing += plain.At(x, y) != ringed.At(x, y);
    EXPECT_EQ(differing, 4 * 14 - 4);
}

}  // namespace
}  // namespace pixolet
