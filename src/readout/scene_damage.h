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

}  // namespace pixolet
