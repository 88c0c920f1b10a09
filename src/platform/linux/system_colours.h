// Stored colours that name a system colour ("clWindowText") painted with the
// matching role of the desktop's palette.
#pragma once

#include <QColor>

#include "ports/types.h"

namespace pixolet::linux_common {

// The colour to paint a stored colour with: a system colour from the
// application's palette, any other as its RGB value.
QColor PaintQColor(Colour stored);

}  // namespace pixolet::linux_common
