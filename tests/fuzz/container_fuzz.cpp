// Whatever file the update server sends, the container check accepts only a stated size that the
// stream could produce and that the program may allocate, and its stream is the file minus the
// size field.
//
// Input: the downloaded file. When it has 12 bytes or more, its first 8 bytes are also read as a
// file length of up to 2^64 - 1, judged with the file's last 4 bytes as the stated size.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "iupdate/compressed_file.h"

namespace {

using namespace quillon;

void Check(bool bCondition) {
    if (!bCondition) std::abort();
}

// Judged again with 128-bit products, which cannot overflow.
void CheckLayout(const ContainerLayout& layout, uint64_t lLength, int32_t lStated) {
    const unsigned __int128 lLimit = static_cast<unsigned __int128>(lLength - 4) * 1032;
    const bool bAcceptable = lLength >= 5 && lStated >= 0 && lStated <= kMaxUncompressedSize &&
                             static_cast<unsigned __int128>(lStated) <= lLimit;
    Check((layout.eProblem == ContainerProblem::None) == bAcceptable);
    if (bAcceptable) Check(layout.lStreamLength == lLength - 4 && layout.lExpectedSize == lStated);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize) {
    const std::span<const uint8_t> file(pData, lSize);
    const CompressedFile split = SplitCompressedFile(file);
    if (lSize >= 4) CheckLayout(split.layout, lSize, StatedSize(file.last<4>()));
    Check(split.stream.empty() ||
          (split.stream.data() == pData && split.stream.size() + 4 == lSize));

    if (lSize >= 12) {
        uint64_t lLength = 0;
        std::memcpy(&lLength, pData, sizeof lLength);
        const int32_t lStated = StatedSize(file.last<4>());
        CheckLayout(CheckCompressedFile(lLength, lStated), lLength, lStated);
    }
    return 0;
}
