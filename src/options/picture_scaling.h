#pragma once
// Scaling a picture to a card with good quality and the same result on every platform: the
// system's smoothing stretch was seen to keep whole rows and columns under Wine, which turns
// fine detail of a photo into noise.

#include <cstddef>
#include <vector>

#include "engine/canvas.h"

namespace quillon {

// Pixels, top row first.
struct PixelImage {
    int lWidth = 0;
    int lHeight = 0;
    std::vector<Rgb> pixels;
    const Rgb& At(int lX, int lY) const {
        return pixels[static_cast<size_t>(lY) * static_cast<size_t>(lWidth) + lX];
    }
};

// source at lWidth x lHeight (both positive), each direction on its own: shrinking, a pixel is
// the average of the source area it covers (parts of pixels counted by their share); enlarging,
// it lies on the straight line between the two nearest source pixels. The same size gives the
// same pixels. An empty source gives an empty image.
PixelImage ScalePicture(const PixelImage& source, int lWidth, int lHeight);

}  // namespace quillon
