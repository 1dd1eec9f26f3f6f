#pragma once
// The container of every downloaded update file: a zlib stream (RFC 1950) followed by the
// uncompressed size, 32-bit signed little-endian. The stated size is checked before anything is
// allocated for it: a hostile file could otherwise ask for gigabytes. zlib itself runs on the
// Windows side; it must also produce exactly the stated number of bytes.

#include <cstdint>
#include <span>

namespace quillon {

// zlib cannot expand by more than about 1032 to 1 (its longest match, 258 bytes, in a code of
// about two bits); no game file comes near 512 MiB.
inline constexpr int64_t kMaxCompressionRatio = 1032;
inline constexpr int32_t kMaxUncompressedSize = 512 * 1024 * 1024;
inline constexpr uint64_t kSizeFieldBytes = 4;

enum class ContainerProblem {
    None,
    TooShort,      // fewer than 5 bytes: no room for a stream and its size
    NegativeSize,  // the stated size is below 0
    BeyondRatio,   // more than kMaxCompressionRatio times the stream's length
    BeyondCap,     // more than kMaxUncompressedSize
};

struct ContainerLayout {
    ContainerProblem eProblem = ContainerProblem::None;
    uint64_t lStreamLength = 0;  // the stream is the file's first lStreamLength bytes
    int32_t lExpectedSize = 0;   // what decompression must produce, exactly
};

// The stated size from the file's last four bytes.
int32_t StatedSize(std::span<const uint8_t, 4> tail);

// Judges a file of lFileLength bytes whose last four bytes state lStatedSize.
ContainerLayout CheckCompressedFile(uint64_t lFileLength, int32_t lStatedSize);

struct CompressedFile {
    ContainerLayout layout;
    std::span<const uint8_t> stream;  // empty unless the layout has no problem
};

// The same over a whole file in memory, with the stream's bytes.
CompressedFile SplitCompressedFile(std::span<const uint8_t> file);

}  // namespace quillon
