#include "readout/scene_damage.h"

#include <cstddef>

namespace pixolet {

namespace {

Rect ShapeRect(const SceneShape& s) {
    return Rect{s.left, s.top, s.left + s.width, s.top + s.height};
}

bool SameShape(const SceneShape& a, const SceneShape& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

bool SameLayout(const ReadoutScene& a, const ReadoutScene& b) {
    if (a.width != b.width || a.height != b.height || a.scale != b.scale) return false;
    if (!SameShape(a.zoom, b.zoom) || !SameShape(a.swatch, b.swatch)) return false;
    if (!SameShape(a.bar.bounds, b.bar.bounds)) return false;
    for (std::size_t i = 0; i < a.labels.size(); ++i)
        if (a.labels[i].left != b.labels[i].left || a.labels[i].top != b.labels[i].top)
            return false;
    return true;
}

void AddLabel(const SceneLabel& label, const TextMeasure& measure, std::vector<Rect>& out) {
    if (!label.visible || label.text.empty()) return;
    out.push_back(Rect{label.left, label.top, label.left + measure.TextWidth(label.text),
                       label.top + measure.TextHeight(label.text)});
}

bool SameBar(const SceneBar& a, const SceneBar& b) {
    return a.visible == b.visible && a.maximum == b.maximum && a.position == b.position;
}

}  // namespace

void AddSceneDamage(const ReadoutScene& before, const ReadoutScene& after,
                    const TextMeasure& measure, std::vector<Rect>& out) {
    if (!SameLayout(before, after)) {
        out.push_back(Rect{0, 0, after.width, after.height});
        return;
    }
    // A shape shows its pixels only while live and of its own size; any
    // change of either is a change of what it shows.
    const bool liveChanged = before.live != after.live;
    if (liveChanged || before.magnifier != after.magnifier) out.push_back(ShapeRect(after.zoom));
    if (liveChanged || before.swatchPixels != after.swatchPixels)
        out.push_back(ShapeRect(after.swatch));
    for (std::size_t i = 0; i < after.labels.size(); ++i) {
        const SceneLabel& was = before.labels[i];
        const SceneLabel& now = after.labels[i];
        if (was.visible == now.visible && was.text == now.text) continue;
        AddLabel(was, measure, out);
        AddLabel(now, measure, out);
    }
    if (!SameBar(before.bar, after.bar)) out.push_back(ShapeRect(after.bar.bounds));
}

bool PaintedScene::Change(const ReadoutScene& scene, const TextMeasure& measure,
                          std::vector<Rect>& damage) {
    const bool whole = !valid_;
    if (!whole) AddSceneDamage(painted_, scene, measure, damage);
    // Copy assignment keeps the storage of the buffers and strings.
    painted_ = scene;
    valid_ = true;
    return whole;
}

}  // namespace pixolet
