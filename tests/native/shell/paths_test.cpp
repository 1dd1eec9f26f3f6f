#include <gtest/gtest.h>

#include "shell/paths.h"

namespace quillon {
namespace {

TEST(PathsTest, AddBackslashAddsOnlyAMissingOne) {
    EXPECT_EQ(AddBackslash("C:\\Games"), "C:\\Games\\");
    EXPECT_EQ(AddBackslash("C:\\Games\\"), "C:\\Games\\");
    EXPECT_EQ(AddBackslash(""), "\\");
    EXPECT_EQ(AddBackslash("C:/Games/"), "C:/Games/\\") << "only a backslash counts";
}

TEST(PathsTest, AddExtensionKeepsAnExistingOneWhateverItsCase) {
    EXPECT_EQ(AddExtension("Blue.BMP", "bmp"), "Blue.BMP");
    EXPECT_EQ(AddExtension("Blue", "bmp"), "Blue.bmp");
    EXPECT_EQ(AddExtension("C:\\Data\\Cards\\Night.Jpg", "JPG"), "C:\\Data\\Cards\\Night.Jpg");
    EXPECT_EQ(AddExtension("Zo\xC3\xAB.bmp", "BMP"), "Zo\xC3\xAB.bmp");
}

TEST(PathsTest, AddExtensionNeedsTheDotAndTheWholeExtension) {
    EXPECT_EQ(AddExtension("Bluebmp", "bmp"), "Bluebmp.bmp");
    EXPECT_EQ(AddExtension("Blue.mp", "bmp"), "Blue.mp.bmp");
    EXPECT_EQ(AddExtension("Blue.bmp.old", "bmp"), "Blue.bmp.old.bmp");
    EXPECT_EQ(AddExtension("mp", "bmp"), "mp.bmp");
    EXPECT_EQ(AddExtension("", "bmp"), ".bmp");
}

}  // namespace
}  // namespace quillon
