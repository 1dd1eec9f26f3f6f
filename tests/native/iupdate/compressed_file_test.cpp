// The compressed file container: the stated size is judged before anything is allocated, and
// real zlib streams, up to zlib's best ratio, pass.

#include "iupdate/compressed_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#ifdef QUILLON_HAVE_ZLIB
#include <zlib.h>
#endif

namespace quillon {
namespace {

constexpr uint64_t kHuge = std::numeric_limits<uint64_t>::max();

TEST(CompressedFile, TheStatedSizeIsBoundedByLengthRatioAndCap) {
    using enum ContainerProblem;
    // clang-format off
    for (const auto& [lLength, lStated, eProblem] : {
        std::tuple{uint64_t{4}, 0, TooShort}, {0, 0, TooShort}, {5, 0, None}, {5, -1, NegativeSize},
        {5, 1032, None}, {5, 1033, BeyondRatio}, {1004, 1032000, None}, {1004, 1032001, BeyondRatio},
        {kHuge, kMaxUncompressedSize, None}, {kHuge, kMaxUncompressedSize + 1, BeyondCap},
        {kHuge, std::numeric_limits<int32_t>::max(), BeyondCap},
        {kHuge, std::numeric_limits<int32_t>::min(), NegativeSize}}) {
        // clang-format on
        const ContainerLayout layout = CheckCompressedFile(lLength, lStated);
        EXPECT_EQ(layout.eProblem, eProblem) << lLength << " " << lStated;
        if (eProblem == None) {
            EXPECT_EQ(std::tuple(layout.lStreamLength, layout.lExpectedSize),
                      std::tuple(lLength - 4, lStated));
        }
    }
}

// The size is the last four bytes, little-endian and signed; the stream is what precedes them.
TEST(CompressedFile, TheStreamIsWhatPrecedesTheSize) {
    const std::vector<uint8_t> file = {0x78, 0x9C, 0x03, 0x00, 0x01, 0x02, 0x00, 0x00};
    const CompressedFile split = SplitCompressedFile(file);
    EXPECT_EQ(std::tuple(split.layout.eProblem, split.layout.lExpectedSize, split.stream.data(),
                         split.stream.size()),
              std::tuple(ContainerProblem::None, 0x201, file.data(), size_t{4}));
    const uint8_t negative[] = {0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(StatedSize(negative), -2);
    EXPECT_TRUE(SplitCompressedFile(std::vector<uint8_t>{1, 2, 3}).stream.empty());
}

#ifdef QUILLON_HAVE_ZLIB
std::vector<uint8_t> Pack(const std::vector<uint8_t>& content) {
    uLongf lPacked = compressBound(content.size());
    std::vector<uint8_t> file(lPacked + 4);
    EXPECT_EQ(compress2(file.data(), &lPacked, content.data(), content.size(), 9), Z_OK);
    file.resize(lPacked);
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(content.size() >> (8 * i)));
    return file;
}

// Four megabytes of zeros come close to zlib's best ratio; the bound must still let them through.
TEST(CompressedFile, RealStreamsPassAndUnpackToTheStatedSize) {
    std::vector<uint8_t> text(100000);
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<uint8_t>("pairs "[i % 6] + i / 997);
    for (const std::vector<uint8_t>& content :
         {std::vector<uint8_t>{}, text, std::vector<uint8_t>(4 << 20, 0)}) {
        const std::vector<uint8_t> file = Pack(content);
        const CompressedFile split = SplitCompressedFile(file);
        ASSERT_EQ(split.layout.eProblem, ContainerProblem::None) << content.size();
        std::vector<uint8_t> out(split.layout.lExpectedSize + 1);
        uLongf lOut = split.layout.lExpectedSize;
        EXPECT_EQ(uncompress(out.data(), &lOut, split.stream.data(), split.stream.size()), Z_OK);
        out.resize(lOut);
        EXPECT_EQ(out, content);
    }
}
#else
TEST(CompressedFile, RealStreamsPassAndUnpackToTheStatedSize) {
    GTEST_SKIP() << "zlib's headers are not installed";
}
#endif

}  // namespace
}  // namespace quillon
