// What a view must repaint when the readout's scene changes: the rectangles
// of the parts that differ between the scene it painted last and the new
// one, in window client pixels. A tracking update usually changes the
// magnifier, the swatch and a few labels; the frame, the background and the
// labels whose text stayed need no paint.
#pragma once

#include <vector>

#include "ports/readout_view_port.h"
#include "ports/types.h"
#include "readout/readout_scene.h"

namespace pixolet {

// Appends to `out` the rectangles of `after` that differ from `before`: a
// changed label covers its old and its new text (its advance, as `measure`
// gives it, by the text height), a changed picture its shape. A changed
// size or layout (a shape, a label's place or the bar's bounds) is the whole
// window. Nothing is appended when the scenes show the same.
void AddSceneDamage(const ReadoutScene& before, const ReadoutScene& after,
                    const TextMeasure& measure, std::vector<Rect>& out);

// The scene a view last painted, for repainting only what changes. Both
// platforms' readout windows keep one.
class PaintedScene {
  public:
    // Forgets the painted scene (a new size, font or a full repaint that is
    // under way): the next change repaints the whole window.
    void Invalidate() { valid_ = false; }

    // Records `scene` as painted. Returns true when the whole window needs a
    // paint (nothing painted yet or forgotten); else appends to `damage`
    // the parts that differ from the scene painted before, which may be
    // none.
    bool Change(const ReadoutScene& scene, const TextMeasure& measure, std::vector<Rect>& damage);

  private:
    ReadoutScene painted_;
    bool valid_ = false;
};

}  // namespace pixolet
