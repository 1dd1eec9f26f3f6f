#include "iupdate/compressed_file.h"

#include <algorithm>

namespace quillon {

int32_t StatedSize(std::span<const uint8_t, 4> tail) {
    const uint32_t lBits = uint32_t{tail[0]} | uint32_t{tail[1]} << 8 | uint32_t{tail[2]} << 16 |
                           uint32_t{tail[3]} << 24;
    return static_cast<int32_t>(lBits);
}

ContainerLayout CheckCompressedFile(uint64_t lFileLength, int32_t lStatedSize) {
    ContainerLayout layout;
    if (lFileLength <= kSizeFieldBytes) {
        layout.eProblem = ContainerProblem::TooShort;
        return layout;
    }
    const uint64_t lStream = lFileLength - kSizeFieldBytes;
    // The stream length is taken at most at the cap, which keeps the product within 64 bits and
    // changes no answer: a stream that long already allows more than the cap.
    if (lStatedSize < 0) {
        layout.eProblem = ContainerProblem::NegativeSize;
    } else if (lStatedSize > kMaxUncompressedSize) {
        layout.eProblem = ContainerProblem::BeyondCap;
    } else if (static_cast<uint64_t>(lStatedSize) >
               kMaxCompressionRatio * std::min<uint64_t>(lStream, kMaxUncompressedSize)) {
        layout.eProblem = ContainerProblem::BeyondRatio;
    } else {
        layout.lStreamLength = lStream;
        layout.lExpectedSize = lStatedSize;
    }
    return layout;
}

CompressedFile SplitCompressedFile(std::span<const uint8_t> file) {
    CompressedFile result;
    const int32_t lStated =
        file.size() < kSizeFieldBytes ? 0 : StatedSize(file.last<kSizeFieldBytes>());
    result.layout = CheckCompressedFile(file.size(), lStated);
    if (result.layout.eProblem == ContainerProblem::None)
        result.stream = file.first(result.layout.lStreamLength);
    return result;
}

}  // namespace quillon
