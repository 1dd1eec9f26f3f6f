#include "options/picture_scaling.h"

#include <algorithm>
#include <cmath>

namespace quillon {

namespace {

struct Tap {
    int lSource;
    float fWeight;
};

// For each of lTarget pixels, the source pixels it is made of and their weights (summing to 1).
std::vector<std::vector<Tap>> Taps(int lSource, int lTarget) {
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(lTarget));
    const double dScale = static_cast<double>(lSource) / lTarget;
    for (int i = 0; i < lTarget; ++i) {
        std::vector<Tap>& t = taps[static_cast<size_t>(i)];
        if (lSource > lTarget) {
            const double dStart = i * dScale, dEnd = (i + 1) * dScale;
            for (int j = static_cast<int>(dStart); j < lSource && j < dEnd; ++j) {
                const double dCover = std::min<double>(dEnd, j + 1) - std::max<double>(dStart, j);
                if (dCover > 0) t.push_back({j, static_cast<float>(dCover / dScale)});
            }
        } else {
            // Pixel centres line up: target centre i + 0.5 lies at source (i + 0.5) x scale.
            const double dAt = std::clamp((i + 0.5) * dScale - 0.5, 0.0, lSource - 1.0);
            const int j = static_cast<int>(dAt);
            const auto fNext = static_cast<float>(dAt - j);
            t.push_back({j, 1.0f - fNext});
            if (fNext > 0) t.push_back({j + 1, fNext});
        }
    }
    return taps;
}

struct Sum {
    float r = 0, g = 0, b = 0;
};

uint8_t Channel(float f) { return static_cast<uint8_t>(std::clamp(std::lround(f), 0L, 255L)); }

}  // namespace

PixelImage ScalePicture(const PixelImage& source, int lWidth, int lHeight) {
    if (source.lWidth <= 0 || source.lHeight <= 0 || lWidth <= 0 || lHeight <= 0) return {};
    // Across first, to the target's width, so the second pass works on the narrow image.
    const auto across = Taps(source.lWidth, lWidth);
    std::vector<Sum> narrow(static_cast<size_t>(lWidth) * source.lHeight);
    for (int y = 0; y < source.lHeight; ++y)
        for (int x = 0; x < lWidth; ++x) {
            Sum& s = narrow[static_cast<size_t>(y) * lWidth + x];
            for (const Tap& t : across[static_cast<size_t>(x)]) {
                const Rgb& c = source.At(t.lSource, y);
                s.r += c.r * t.fWeight;
                s.g += c.g * t.fWeight;
                s.b += c.b * t.fWeight;
            }
        }
    const auto down = Taps(source.lHeight, lHeight);
    PixelImage target{lWidth, lHeight, std::vector<Rgb>(static_cast<size_t>(lWidth) * lHeight)};
    for (int y = 0; y < lHeight; ++y)
        for (int x = 0; x < lWidth; ++x) {
            Sum s;
            for (const Tap& t : down[static_cast<size_t>(y)]) {
                const Sum& n = narrow[static_cast<size_t>(t.lSource) * lWidth + x];
                s.r += n.r * t.fWeight;
                s.g += n.g * t.fWeight;
                s.b += n.b * t.fWeight;
            }
            target.pixels[static_cast<size_t>(y) * lWidth + x] = {Channel(s.r), Channel(s.g),
                                                                  Channel(s.b)};
        }
    return target;
}

}  // namespace quillon
