// The toolbar's zoom steps on the viewer's scale, in percent.
#pragma once

namespace tarnwick {

constexpr float kZoomStep = 5;
// Up 5 % unless the scale is 999 % or more.
inline float ZoomedIn(float scale) { return scale >= 999 ? scale : scale + kZoomStep; }
// Down 5 % while the scale is above 0 (the viewer keeps it at 1 % at least).
inline float ZoomedOut(float scale) { return scale > 0 ? scale - kZoomStep : scale; }

}  // namespace tarnwick
