// Decompression of downloaded files and installation in one move: a good container gives the
// exact content; anything else writes nothing and leaves the installed file whole.

#include <windows.h>
// After windows.h, which it needs.
#include <gtest/gtest.h>
#include <psapi.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <set>
#include <string>

#include "iupdate/win/modMain.h"
#include "iupdate/win/modzLib.h"
#include "library_under_test.h"
#include "support/temp_folder.h"
#include "update_files.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;
using namespace quillon::iupdate;

std::string Deflated(std::string_view content) {
    uLongf lLength = compressBound(static_cast<uLong>(content.size()));
    std::string stream(lLength, '\0');
    compress2(reinterpret_cast<Bytef*>(stream.data()), &lLength,
              reinterpret_cast<const Bytef*>(content.data()), static_cast<uLong>(content.size()),
              Z_BEST_COMPRESSION);
    stream.resize(lLength);
    return stream;
}

std::string WithSize(std::string stream, int32_t lStated) {
    for (int i = 0; i < 4; ++i)
        stream += static_cast<char>(static_cast<uint32_t>(lStated) >> 8 * i);
    return stream;
}

// Pseudo-random bytes from lLetters letters: 16 compress about half, 256 not at all.
std::string Sample(size_t lLength, uint32_t lSeed, uint32_t lLetters = 16) {
    std::string s(lLength, '\0');
    for (char& c : s) {
        lSeed = lSeed * 1664525u + 1013904223u;
        c = static_cast<char>('a' + (lSeed >> 24) % lLetters);
    }
    return s;
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(Utf8(entry.path().filename()));
    return names;
}

class Decompression : public LinkedLibrary {
  protected:
    void SetUp() override {
        LinkedLibrary::SetUp();
        fs::create_directories(m_folder);
        WriteAll(m_destination, "installed before");
    }
    void ExpectDestinationUntouched(const std::string& sCase) {
        EXPECT_EQ(ReadAll(m_destination), "installed before") << sCase;
        EXPECT_EQ(Names(m_folder), std::set<std::string>{"game.exe"}) << sCase << ": left beside";
    }

    const TempFolder m_temp;
    const fs::path m_source = m_temp.path / "tmp1.tmp";
    const fs::path m_folder = m_temp.path / "Jeux Mémoire";
    const fs::path m_destination = m_folder / "game.exe";
};

TEST_F(Decompression, AGoodContainerGivesTheExactContentAndTheSourceGoes) {
    for (const std::string& sContent : {std::string(), std::string("x"), Sample(3 << 20, 7)}) {
        WriteAll(m_source, WithSize(Deflated(sContent), static_cast<int32_t>(sContent.size())));
        ASSERT_TRUE(DecompressFile(Utf8(m_source), Utf8(m_destination))) << sContent.size();
        EXPECT_TRUE(ReadAll(m_destination) == sContent) << sContent.size();
        EXPECT_FALSE(fs::exists(m_source));
        EXPECT_EQ(Names(m_folder), std::set<std::string>{"game.exe"});
    }
    EXPECT_FALSE(DecompressFile(Utf8(m_source), Utf8(m_destination))) << "the source is gone";
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Decompression, ABadContainerWritesNothingAndKeepsItsSource) {
    const std::string sContent = Sample(100000, 3);
    const std::string sStream = Deflated(sContent);
    const auto lSize = static_cast<int32_t>(sContent.size());
    std::string sCorrupt = sStream;
    sCorrupt[sCorrupt.size() / 2] ^= 0x55;
    const struct {
        const char* szCase;
        std::string sFile;
    } cases[] = {
        {"four bytes", std::string(4, '\0')},
        {"stated one short", WithSize(sStream, lSize - 1)},
        {"stated one more", WithSize(sStream, lSize + 1)},
        {"stated zero", WithSize(sStream, 0)},
        {"stated negative", WithSize(sStream, -1)},
        {"stream cut short", WithSize(sStream.substr(0, sStream.size() - 10), lSize)},
        {"stream damaged", WithSize(sCorrupt, lSize)},
        {"no zlib stream", WithSize(sContent, lSize)},
    };
    for (const auto& c : cases) {
        WriteAll(m_source, c.sFile);
        EXPECT_FALSE(DecompressFile(Utf8(m_source), Utf8(m_destination))) << c.szCase;
        ExpectDestinationUntouched(c.szCase);
        EXPECT_TRUE(fs::exists(m_source)) << c.szCase;
    }
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Decompression, AnUnbelievableSizeIsRefusedBeforeAnyMemoryIsTaken) {
    // Incompressible: the stream is as long as its content.
    const std::string sStream = Deflated(Sample(400 << 10, 11, 256));
    const auto lBeyondRatio = static_cast<int32_t>(1032 * sStream.size() + 1);  // about 400 MB
    for (const int32_t lStated : {lBeyondRatio, std::numeric_limits<int32_t>::max()}) {
        PROCESS_MEMORY_COUNTERS before{};
        PROCESS_MEMORY_COUNTERS after{};
        GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
        WriteAll(m_source, WithSize(sStream, lStated));
        EXPECT_FALSE(zLib_Decompress(Utf8(m_source), Utf8(m_destination))) << lStated;
        GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
        EXPECT_LT(after.PeakWorkingSetSize, before.PeakWorkingSetSize + (64 << 20)) << lStated;
        ExpectDestinationUntouched(std::to_string(lStated));
    }
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(Decompression, ADestinationThatCannotBeReplacedKeepsItsContent) {
    const std::string sContent = "new content";
    const std::string sContainer = WithSize(Deflated(sContent), int32_t(sContent.size()));
    const fs::path other = m_temp.path / "other.bin";
    WriteAll(other, "moved in");
    {
        const win::ScopedFile held = HoldWithoutDeleteSharing(m_destination);
        ASSERT_TRUE(held);
        WriteAll(m_source, sContainer);
        EXPECT_FALSE(zLib_Decompress(Utf8(m_source), Utf8(m_destination)));
        ExpectDestinationUntouched("held");
        EXPECT_FALSE(ReplaceFileAtomically(Utf8(other), Utf8(m_destination)));
        ExpectDestinationUntouched("held");
        EXPECT_EQ(ReadAll(other), "moved in");
        EXPECT_TRUE(m_reports.empty()) << "a file in use is no failure to report";
    }
    EXPECT_TRUE(ReplaceFileAtomically(Utf8(other), Utf8(m_destination)));
    EXPECT_EQ(ReadAll(m_destination), "moved in");
    EXPECT_FALSE(fs::exists(other));

    // A folder that does not exist cannot take the new file: that is reported.
    EXPECT_FALSE(zLib_Decompress(Utf8(m_source), Utf8(m_temp.path / "gone" / "game.exe")));
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_NE(m_reports[0].sMessage.find("{modzLib::zLib_Decompress}"), std::string::npos);
}

}  // namespace
}  // namespace quillon::test
