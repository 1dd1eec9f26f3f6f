// Cutting the player's pictures to cards and naming the set they make.

#include "options/card_set_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace quillon {
namespace {

TEST(CardSetCrop, KeepsTheCentreInCardProportions) {
    const std::pair<std::pair<int, int>, CropRect> cases[] = {
        {{71, 96}, {0, 0, 71, 96}},        // already a card
        {{142, 192}, {0, 0, 142, 192}},    // a card, larger
        {{400, 96}, {164, 0, 71, 96}},     // wide: the middle columns
        {{71, 400}, {0, 152, 71, 96}},     // tall: the middle rows
        {{640, 480}, {142, 0, 355, 480}},  // a photo, 355 = 480 x 71 / 96
        {{480, 640}, {3, 0, 473, 640}},    // 480 x 96 / 71 = 649 > 640: the full height
        {{100, 100}, {13, 0, 74, 100}},    // 73.96 rounds to 74, the odd pixel after it
        {{1, 1}, {0, 0, 1, 1}},            // never empty
        {{3000, 1}, {1499, 0, 1, 1}},
        {{0, 50}, {}},
        {{50000, 40000}, {10208, 0, 29583, 40000}},  // no overflow on large pictures
    };
    for (const auto& [size, expected] : cases)
        EXPECT_EQ(CentreCrop(size.first, size.second), expected)
            << size.first << " x " << size.second;
    // Wider by one pixel than the card's proportions: the whole height is still kept.
    const CropRect wide = CentreCrop(72, 96);
    EXPECT_EQ(std::pair(wide.lWidth, wide.lHeight), std::pair(71, 96));
}

TEST(CardSetCrop, TooSmallWhenTheKeptPartIsSmallerThanACard) {
    EXPECT_FALSE(TooSmallForCard(71, 96));
    EXPECT_FALSE(TooSmallForCard(1000, 96));  // cut, not enlarged
    EXPECT_TRUE(TooSmallForCard(70, 1000));
    EXPECT_TRUE(TooSmallForCard(1000, 95));
    EXPECT_TRUE(TooSmallForCard(32, 32));
    EXPECT_TRUE(TooSmallForCard(0, 0));
}

TEST(CardSetName, FileNameRules) {
    using P = SetNameProblem;
    const std::pair<std::string, P> cases[] = {
        {"Holiday 2026", P::None},
        {"my.cats", P::None},
        {"\xC3\x89t\xC3\xA9", P::None},  // not ASCII
        {"CONSOLE", P::None},
        {"COM0", P::None},
        {"", P::Empty},
        {std::string(100, 'a'), P::None},
        {std::string(101, 'a'), P::TooLong},
        {[] {
             std::string s;
             for (int i = 0; i < 100; ++i) s += "\xC3\xA9";
             return s;
         }(),
         P::None},  // 100 characters of two bytes each
        {"a:b", P::BadCharacter},
        {"a\\b", P::BadCharacter},
        {"a*b", P::BadCharacter},
        {"a\tb", P::BadCharacter},
        {std::string("a\0b", 3), P::BadCharacter},
        {"con", P::Reserved},
        {"Nul.txt", P::Reserved},
        {"aux .x", P::Reserved},
        {"COM7", P::Reserved},
        {"lpt9", P::Reserved},
        {"cats.", P::TrailingDotOrSpace},
        {"cats ", P::TrailingDotOrSpace},
    };
    for (const auto& [sName, expected] : cases)
        EXPECT_EQ(CheckSetName(sName), expected) << '"' << sName << '"';
    EXPECT_EQ(TrimSetName("  two words  "), "two words");
    EXPECT_EQ(TrimSetName("   "), "");
    EXPECT_EQ(PicturesMissing(0), 25);
    EXPECT_EQ(PicturesMissing(27), -2);
}

}  // namespace
}  // namespace quillon
