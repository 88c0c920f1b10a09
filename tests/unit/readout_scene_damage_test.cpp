#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "fakes/fake_ports.h"
#include "readout/scene_damage.h"

namespace pixolet {
namespace {

// A live scene with a few visible labels, as a tracking update leaves it.
ReadoutScene LiveScene() {
    ReadoutScene s;
    s.live = true;
    s.magnifier = PixelBuffer(s.zoom.width, s.zoom.height, kSilver);
    s.swatchPixels = PixelBuffer(s.swatch.width, s.swatch.height, kWhite);
    s.labels[lblR] = {"R 255", 60, 5, true};
    s.labels[lblG] = {"G   0", 60, 16, true};
    s.labels[lblPoint] = {"(10,20)", 6, 45, true};
    return s;
}

// The fake view's font: every character 6 pixels wide, every text 12 high.
TEST(SceneDamage, OnlyTheChangedPartsNeedAPaint) {
    const Rect whole{0, 0, 251, 182};
    const Rect zoom{6, 7, 40, 41};
    const Rect swatch{47, 34, 54, 41};
    const struct {
        const char* name;
        std::function<void(ReadoutScene&)> change;
        std::vector<Rect> damage;
    } cases[] = {
        {"same scene", [](ReadoutScene&) {}, {}},
        {"magnifier pixel", [](ReadoutScene& s) { s.magnifier.Set(3, 3, kBlack); }, {zoom}},
        {"swatch colour", [](ReadoutScene& s) { s.swatchPixels.Set(0, 0, kBlue); }, {swatch}},
        {"no longer live", [](ReadoutScene& s) { s.live = false; }, {zoom, swatch}},
        // The old text and the new: a shorter text leaves old pixels to clear.
        {"label text",
         [](ReadoutScene& s) { s.labels[lblPoint].text = "(9,2)"; },
         {{6, 45, 48, 57}, {6, 45, 36, 57}}},
        {"label hidden",
         [](ReadoutScene& s) { s.labels[lblG].visible = false; },
         {{60, 16, 90, 28}}},
        {"hidden label's text", [](ReadoutScene& s) { s.labels[lblC].text = "C 12"; }, {}},
        {"bar position", [](ReadoutScene& s) { s.bar.position = 7; }, {{6, 74, 97, 79}}},
        {"label moved", [](ReadoutScene& s) { s.labels[lblR].left = 61; }, {whole}},
        {"swatch moved", [](ReadoutScene& s) { s.swatch.top = 35; }, {whole}},
        {"window size", [](ReadoutScene& s) { s.height = 100; }, {{0, 0, 251, 100}}},
    };
    fakes::FakeView font;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadoutScene before = LiveScene();
        ReadoutScene after = before;
        c.change(after);
        std::vector<Rect> damage{{1, 2, 3, 4}};  // appended to, not replaced
        AddSceneDamage(before, after, font, damage);
        damage.erase(damage.begin());
        EXPECT_EQ(damage, c.damage);
    }
}

// A view's record of what it painted: the whole window until a scene has
// been painted and again after it is forgotten, else only what changed
// since the scene recorded last, not since the first.
TEST(SceneDamage, PaintedSceneRepaintsOnlyWhatChangedSinceTheLastPaint) {
    fakes::FakeView font;
    PaintedScene painted;
    std::vector<Rect> damage;
    ReadoutScene scene = LiveScene();
    EXPECT_TRUE(painted.Change(scene, font, damage));
    EXPECT_TRUE(damage.empty());

    EXPECT_FALSE(painted.Change(scene, font, damage));
    EXPECT_TRUE(damage.empty());

    scene.magnifier.Set(0, 0, kBlack);
    EXPECT_FALSE(painted.Change(scene, font, damage));
    EXPECT_EQ(damage, (std::vector<Rect>{{6, 7, 40, 41}}));

    damage.clear();
    scene.swatchPixels.Set(0, 0, kBlue);
    EXPECT_FALSE(painted.Change(scene, font, damage));
    EXPECT_EQ(damage, (std::vector<Rect>{{47, 34, 54, 41}}));

    damage.clear();
    painted.Invalidate();
    EXPECT_TRUE(painted.Change(scene, font, damage));
    EXPECT_TRUE(damage.empty());
    EXPECT_FALSE(painted.Change(scene, font, damage));
    EXPECT_TRUE(damage.empty());
}

}  // namespace
}  // namespace pixolet
