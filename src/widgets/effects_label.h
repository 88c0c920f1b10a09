// The automatic size of a label whose caption is drawn turned by an angle.
#pragma once

namespace pixolet {

struct EffectsBox {
    int width = 0;
    int height = 0;
    // The text origin inside the box: the top-left reference point of the
    // caption before it is turned.
    int posX = 0;
    int posY = 0;
    friend bool operator==(const EffectsBox&, const EffectsBox&) = default;
};

// Where a corner (x, y) of the unturned text, relative to the origin, lands
// when the text is turned `angleDegrees` counter-clockwise on the screen
// (y grows downwards).
struct TurnedPoint {
    double x = 0;
    double y = 0;
};
TurnedPoint TurnPoint(double x, double y, int angleDegrees);

// The box of a `textWidth` x `textHeight` caption turned by `angleDegrees`
// (0 to 360; other values are taken modulo 360): the turned text's bounding
// box plus 2 pixels each way, with the origin chosen so that the turned text
// is centred and lies wholly inside.
EffectsBox EffectsAutoSize(int textWidth, int textHeight, int angleDegrees);

}  // namespace pixolet
