#pragma once
// A 24-bit bottom-up BMP file written by hand, so the picture loader is checked against pixels
// the test chose rather than against another decoder. The loader reads it whatever the file's
// extension.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "engine/canvas.h"

namespace quillon::test {

inline void WriteBmp(const std::filesystem::path& path, int lWidth, int lHeight,
                     const std::function<Rgb(int, int)>& pixel) {
    const int lStride = (lWidth * 3 + 3) & ~3;
    const auto lImage = static_cast<uint32_t>(lStride * lHeight);
    std::vector<char> file(54 + lImage, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, 54 + lImage);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(lWidth));
    put32(22, static_cast<uint32_t>(lHeight));
    file[26] = 1;
    file[28] = 24;
    put32(34, lImage);
    for (int y = 0; y < lHeight; ++y) {
        const size_t row = 54 + static_cast<size_t>(lHeight - 1 - y) * lStride;
        for (int x = 0; x < lWidth; ++x) {
            const Rgb c = pixel(x, y);
            file[row + 3 * x] = static_cast<char>(c.b);
            file[row + 3 * x + 1] = static_cast<char>(c.g);
            file[row + 3 * x + 2] = static_cast<char>(c.r);
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(file.data(), static_cast<std::streamsize>(file.size()));
}

}  // namespace quillon::test
