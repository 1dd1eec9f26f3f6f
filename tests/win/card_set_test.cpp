// Card sets made of the player's pictures, under Wine: 25 pictures of every format and many
// sizes (made by make_pictures.py) cut, scaled and written into a strip that the board loads
// as any other set; pictures that are refused; a folder that cannot take
// the file keeps nothing of it.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "board/win/picture_buffers.h"
#include "engine/card_layout.h"
#include "options/win/card_set_maker.h"
#include "options/win/frmNewCardSet.h"
#include "shell/error_report.h"
#include "shell/memory_store.h"
#include "shell/settings.h"
#include "shell/win/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace quillon::win {
namespace {

namespace fs = std::filesystem;

const fs::path kPictures = QUILLON_TEST_PICTURES;

// NN_RRGGBB_WxH.ext: the colour the face must show and the picture's size.
struct Generated {
    fs::path path;
    Rgb colour;
    int lWidth = 0;
    int lHeight = 0;
};

std::vector<Generated> GeneratedPictures() {
    std::vector<Generated> pictures;
    for (const auto& entry : fs::directory_iterator(kPictures)) {
        const std::string sName = entry.path().filename().string();
        if (sName.size() < 12 || sName[2] != '_') continue;
        const unsigned long lColour = std::stoul(sName.substr(3, 6), nullptr, 16);
        const size_t x = sName.find('x', 10);
        pictures.push_back({entry.path(),
                            {static_cast<uint8_t>(lColour >> 16),
                             static_cast<uint8_t>(lColour >> 8), static_cast<uint8_t>(lColour)},
                            std::stoi(sName.substr(10, x - 10)),
                            std::stoi(sName.substr(x + 1))});
    }
    std::sort(pictures.begin(), pictures.end(),
              [](const Generated& a, const Generated& b) { return a.path < b.path; });
    return pictures;
}

// JPEG and the scaling move a plain colour by a few steps at most.
testing::AssertionResult Near(Rgb got, Rgb expected) {
    const auto off = [](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)); };
    if (off(got.r, expected.r) <= 12 && off(got.g, expected.g) <= 12 &&
        off(got.b, expected.b) <= 12)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "(" << int(got.r) << "," << int(got.g) << "," << int(got.b) << ") instead of ("
           << int(expected.r) << "," << int(expected.g) << "," << int(expected.b) << ")";
}

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

class CardSetTest : public testing::Test {
  protected:
    void SetUp() override { fs::create_directories(cards); }
    std::string Destination(const char* sName) const { return Narrow((cards / sName).wstring()); }
    std::vector<CardFace> Faces(const std::vector<Generated>& pictures) const {
        std::vector<CardFace> faces;
        for (const Generated& p : pictures)
            faces.push_back(MakeCardFace(imaging, p.path.wstring()));
        return faces;
    }

    WicImaging imaging;
    test::TempFolder root;
    const fs::path cards = root.path / L"Jeux M\u00e9moire" / "Cards";
};

// Each face keeps its picture's centre: the picture's colour fills the face to its edges, none
// of the black that the crop cuts away shows. The board then loads the set as any other.
TEST_F(CardSetTest, TwentyFivePicturesMakeAStripTheBoardLoads) {
    const std::vector<Generated> pictures = GeneratedPictures();
    ASSERT_EQ(pictures.size(), static_cast<size_t>(kFaces));
    const std::vector<CardFace> faces = Faces(pictures);
    for (size_t n = 0; n < faces.size(); ++n) {
        const CardFace& f = faces[n];
        const std::string sName = pictures[n].path.filename().string();
        EXPECT_EQ(std::pair(f.lSourceWidth, f.lSourceHeight),
                  std::pair(pictures[n].lWidth, pictures[n].lHeight))
            << sName;
        for (const auto& [x, y] : {std::pair{35, 48}, {1, 48}, {69, 48}, {35, 1}, {35, 94}})
            EXPECT_TRUE(Near(f.picture.Pixel(x, y), pictures[n].colour))
                << sName << " at " << x << "," << y;
    }
    EXPECT_TRUE(faces[3].Enlarged()) << "32 x 32";
    EXPECT_FALSE(faces[0].Enlarged()) << "71 x 96";

    WriteCardSet(imaging, faces, Destination("Mine.jpg"));
    EXPECT_EQ(FilesIn(cards), std::vector<std::string>{"Mine.jpg"}) << "no file left beside it";
    std::string bytes;
    {
        std::ifstream file(cards / "Mine.jpg", std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), {});
    }
    EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos) << "a baseline frame";
    EXPECT_EQ(bytes.find("\xFF\xC2"), std::string::npos) << "no progressive frame";

    MemoryStore store;
    Settings settings{store};
    settings.SaveSetting(SettingCardSet, std::string("Mine"));
    test::RecordingReporter reporter;
    std::vector<std::string> shown;
    const std::string sFolder = Narrow(cards.parent_path().wstring());
    fs::create_directories(cards.parent_path() / "Backs");
    PictureBuffers buffers(
        GetModuleHandleW(nullptr), {sFolder + "\\Cards\\", sFolder + "\\Backs\\"}, reporter,
        [&](const std::string& sText, const std::string&, UINT) { shown.push_back(sText); });
    buffers.LoadMaskAndBorder();
    ASSERT_TRUE(buffers.LoadPictureSets(settings));
    ASSERT_EQ(std::pair(buffers.picCardSet().Width(), buffers.picCardSet().Height()),
              std::pair(kCardWidth * kFaces, kCardHeight));
    for (int n = 0; n < kFaces; ++n)
        EXPECT_TRUE(Near(buffers.picCardSet().Pixel(kCardWidth * n + 35, 48), pictures[n].colour))
            << "face " << n;
    EXPECT_TRUE(reporter.errors.empty() && shown.empty());
}

// A file that is no picture, or none at all, is refused naming the file; a set the folder cannot
// take leaves the folder as it was; a set written again replaces the old one.
TEST_F(CardSetTest, BadPicturesAndFoldersThatCannotTakeTheSet) {
    for (const char* sName : {"notes.png", "missing.png"}) {
        try {
            MakeCardFace(imaging, (kPictures / sName).wstring());
            ADD_FAILURE() << sName << " was taken for a picture";
        } catch (const QuillonError& e) {
            EXPECT_EQ(e.Number(), ErrInvalidPicture);
            EXPECT_NE(std::string(e.what()).find(sName), std::string::npos) << e.what();
        }
    }
    std::vector<Generated> pictures = GeneratedPictures();
    std::vector<CardFace> faces = Faces(pictures);
    fs::create_directories(cards / "Taken.jpg");  // a folder stands where the file would go
    EXPECT_THROW(WriteCardSet(imaging, faces, Destination("Taken.jpg")), QuillonError);
    EXPECT_THROW(WriteCardSet(imaging, faces, Narrow((cards / "none" / "x.jpg").wstring())),
                 QuillonError);
    faces.pop_back();
    EXPECT_THROW(WriteCardSet(imaging, faces, Destination("Short.jpg")), QuillonError);
    EXPECT_EQ(FilesIn(cards), std::vector<std::string>{"Taken.jpg"});

    faces = Faces(pictures);
    WriteCardSet(imaging, faces, Destination("Mine.jpg"));
    std::swap(faces[0], faces[1]);
    WriteCardSet(imaging, faces, Destination("Mine.jpg"));
    const MemoryCanvas strip = LoadPictureFile(Destination("Mine.jpg"));
    EXPECT_TRUE(Near(strip.Pixel(35, 48), pictures[1].colour));
    EXPECT_EQ(FilesIn(cards).size(), 2u);
}

TEST(NewCardSetDialog, OpenDialogAnswersOfOneAndOfSeveralFiles) {
    EXPECT_EQ(frmNewCardSet::SplitFileList(L"C:\\p\\a.png\0"),
              std::vector<std::wstring>{L"C:\\p\\a.png"});
    EXPECT_EQ(frmNewCardSet::SplitFileList(L"C:\\p\0a.png\0b c.jpg\0"),
              (std::vector<std::wstring>{L"C:\\p\\a.png", L"C:\\p\\b c.jpg"}));
    EXPECT_EQ(frmNewCardSet::SplitFileList(L"C:\\\0a.png\0b.gif\0"),
              (std::vector<std::wstring>{L"C:\\a.png", L"C:\\b.gif"}));
    EXPECT_TRUE(frmNewCardSet::SplitFileList(L"\0").empty());
    EXPECT_EQ(OpenFilter(L"A|*.a|B|*.b|"), std::wstring(L"A\0*.a\0B\0*.b\0\0", 13));
}

}  // namespace
}  // namespace quillon::win
