// The update descriptor: the reader's quirks as published descriptors rely on them, its failures,
// the per-file hash, and the signature line around it.

#include "iupdate/update_descriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "iupdate/descriptor_signature.h"
#include "support/fakes.h"

namespace quillon {
namespace {

const std::string kHash = "00112233445566778899aabbccddeeff00112233445566778899AABBCCDDEEFF";

// Descriptor lines, written with "|" between them, each ended by CR LF (or sEnd).
std::string D(std::string_view sLines, std::string_view sEnd = "\r\n") {
    std::string s;
    for (const char c : sLines) c == '|' ? s.append(sEnd) : s.append(1, c);
    return s.append(sEnd);
}
// The lines inside one FILE block of a whole descriptor.
std::string F(std::string_view sLines) {
    return D("<UPDATE>|\t<FILES>|\t\t<FILE>|" + std::string(sLines) +
             "|\t\t</FILE>|</FILES>|</UPDATE>");
}

UpdateInfo Read(const std::string& s) {
    test::RecordingReporter reporter;
    UpdateInfo info = File_Read(s, reporter);
    EXPECT_TRUE(reporter.errors.empty()) << reporter.errors.front().sDescription;
    return info;
}

TEST(DescriptorRead, EveryValueLandsInItsField) {
    const UpdateInfo info = Read(D(
        "<?xml version=\"1.0\"?>|<UPDATE>|\t<URL> http://q/ </URL>|\t<BASEURL>http://q/f</BASEURL>|"
        "\t<DATE>|\t\t<DAY>7</DAY>|\t</DATE>|\t<VERSION>|\t\t<MAJOR>2</MAJOR>|<MINOR>1</MINOR>|"
        "<RELEASE>15</RELEASE>|</VERSION>|<FILES>|<FILE>|<NAME>Game engine</NAME>|<ICON>EXE</ICON>|"
        "<DOWNLOAD>1</DOWNLOAD>|<DIFFERED>1</DIFFERED>|<RESTART>1</RESTART>|<VERSION>|"
        "<MAJOR>2</MAJOR>|<RELEASE>-3</RELEASE>|</VERSION>|<LOCAL>|<PATH>$(APP_PATH)</PATH>|"
        "<FILENAME>$(APP_EXENAME)</FILENAME>|<SIZE>900</SIZE>|</LOCAL>|<REMOTE>|<PATH>bin</PATH>|"
        "<FILENAME>Q.z</FILENAME>|<SIZE> 12345 </SIZE>|<SHA256>" +
        kHash +
        "</SHA256>|<DATE>|<DAY>3</DAY>|<MONTH>4</MONTH>|<YEAR>2026</YEAR>|</DATE>|</REMOTE>|</"
        "FILE>|"
        "<FILE>|<NAME>Help</NAME>|<CATEGORY>Docs</CATEGORY>|<REGISTER>1</REGISTER>|<HIDDEN>1</"
        "HIDDEN>|"
        "</FILE>|</FILES>|</UPDATE>|<SIGNATURE>AAAA</SIGNATURE>"));
    EXPECT_EQ(std::tuple(info.Url, info.BaseUrl, info.Date.lDay, info.Version.lMajor,
                         info.Version.lMinor, info.Version.lRelease),
              std::tuple(" http://q/ ", "http://q/f/", 7, 2, 1, 15));
    ASSERT_EQ(info.Files.size(), 2u);
    const FileEntry& a = info.Files[0];
    const FileEntry& b = info.Files[1];
    EXPECT_EQ(
        std::tuple(a.Name, a.Icon, a.Download, a.Differed, a.Restart, a.Register, a.Hidden,
                   a.Category, a.Version.lMajor, a.Version.lMinor, a.Version.lRelease),
        std::tuple("Game engine", "EXE", true, true, true, false, false, "Component", 2, 0, -3));
    EXPECT_EQ(
        std::tuple(a.Local.Path, a.Local.FileName, a.Local.Size, a.Remote.Path, a.Remote.FileName,
                   a.Remote.Size, a.Remote.Date.lDay, a.Remote.Date.lMonth, a.Remote.Date.lYear),
        std::tuple("$(APP_PATH)", "$(APP_EXENAME)", 900, "bin", "Q.z", 12345, 3, 4, 2026));
    EXPECT_EQ(std::tuple(a.eSha256, a.Sha256[0], a.Sha256[15], a.Sha256[31]),
              std::tuple(Sha256State::Valid, 0x00, 0xff, 0xff));
    EXPECT_EQ(std::tuple(b.Name, b.Category, b.Register, b.Hidden, b.Download, b.eSha256),
              std::tuple("Help", "Docs", true, true, false, Sha256State::Missing));
}

TEST(DescriptorRead, QuirksOfTheFormatAreKept) {
    const auto name = [](const UpdateInfo& u) { return u.Files.empty() ? "-" : u.Files[0].Name; };
    const auto flag = [](const UpdateInfo& u) { return u.Files[0].Download ? "T" : "F"; };
    // clang-format off
    for (const auto& [sWhy, sDescriptor, sName] : {
        std::tuple{"spaces are no indentation", D("<UPDATE>|  <FILES>|  <FILE>|<NAME>x</NAME>"), "-"},
        {"LF alone ends no line", D("<UPDATE>|<FILES>|<FILE>|<NAME>x</NAME>", "\n"), "-"},
        {"CR alone ends a line", D("<UPDATE>|<FILES>|<FILE>|<NAME>x</NAME>", "\r"), "x"},
        {"only the closing tag's length is checked", F("<NAME>x</ICON>"), "x"},
        {"tabs inside a value go too", F("<NAME>Game\tengine</NAME>"), "Gameengine"},
        {"an empty value", F("<NAME>x</NAME>|<NAME></NAME>"), ""},
        {"a value at another path", D("<UPDATE>|<NAME>x</NAME>|<FILES>|<FILE>"), ""},
        {"a closing tag cuts by its length", F("</DATE>|<NAME>x</NAME>|<DATE>"), ""},
        {"a lower-case tag", F("<name>x</name>"), ""}})
        EXPECT_EQ(name(Read(sDescriptor)), sName) << sWhy;
    for (const auto& [sValue, sFlag] : {std::tuple{" 1.0 ", "T"}, {"1e0", "T"}, {"+1", "T"},
         {"2", "F"}, {"-1", "F"}, {"0", "F"}, {"1e999", "F"}})
        EXPECT_EQ(flag(Read(F("<DOWNLOAD>" + std::string(sValue) + "</DOWNLOAD>"))), sFlag) << sValue;
    for (const auto& [sLine, sBase] : {std::tuple{"<BASEURL>h://a/</BASEURL>", "h://a/"},
         {"<BASEURL>h://a</BASEURL>", "h://a/"}, {"<BASEURL></BASEURL>", "/"}, {"", ""}})
        EXPECT_EQ(Read(D("<UPDATE>|" + std::string(sLine))).BaseUrl, sBase) << sLine;
    // clang-format on
}

TEST(DescriptorRead, FailuresEndTheReadingWithTheirNumber) {
    std::string sFiles = D("<UPDATE>|<FILES>");
    for (size_t i = 0; i < kMaxFileBlocks; ++i) sFiles += D("<FILE>|</FILE>");
    EXPECT_EQ(Read(sFiles).Files.size(), kMaxFileBlocks);
    EXPECT_EQ(Read(F("<LOCAL>|<SIZE>-2147483648</SIZE>|</LOCAL>")).Files[0].Local.Size,
              -2147483648);
    // clang-format off
    for (const auto& [sWhy, sDescriptor, lNumber] : {
        std::tuple{"a number with letters", F("<LOCAL>|<SIZE>2a</SIZE>"), ErrTypeMismatch},
        {"a fraction", F("<LOCAL>|<SIZE>2.5</SIZE>"), ErrTypeMismatch},
        {"an empty number", F("<LOCAL>|<SIZE></SIZE>"), ErrTypeMismatch},
        {"a flag that is no number", F("<RESTART>yes</RESTART>"), ErrTypeMismatch},
        {"a flag that is infinity", F("<RESTART>inf</RESTART>"), ErrTypeMismatch},
        {"a number beyond 32 bits", F("<LOCAL>|<SIZE>2147483648</SIZE>"), ErrOverflow},
        {"a closing tag longer than the path", D("<UPDATE>|</VERSION>"), ErrInvalidCall},
        {"one FILE block too many", sFiles + D("<FILE>"), ErrOverflow},
        {"a descriptor above its cap", std::string(kMaxDescriptorBytes + 1, ' '), ErrOverflow}}) {
        // clang-format on
        test::RecordingReporter reporter;
        try {
            File_Read(sDescriptor, reporter);
            ADD_FAILURE() << sWhy;
        } catch (const QuillonError& e) {
            EXPECT_EQ(e.Number(), lNumber) << sWhy;
        }
    }
}

// A line that opens a tag but cannot hold its closing tag is reported, and reading goes on.
TEST(DescriptorRead, AValueLineTooShortForItsClosingTagIsReportedAndSkipped) {
    test::RecordingReporter reporter;
    const UpdateInfo info = File_Read(F("<NAME>abc|<ICON>I</ICON>"), reporter);
    ASSERT_EQ(info.Files.size(), 1u);
    EXPECT_EQ(std::tuple(info.Files[0].Name, info.Files[0].Icon), std::tuple("", "I"));
    EXPECT_EQ(reporter.Procedures(), std::vector<std::string>{"frmInternetUpdate::StripXml"});
}

TEST(DescriptorRead, TheHashIsCheckedWholeAndOnlyInTheRemoteBlock) {
    using enum Sha256State;
    // clang-format off
    for (const auto& [sLines, eState] : {
        std::tuple{"<REMOTE>|<SHA256>" + kHash + "</SHA256>", Valid},
        {"<REMOTE>|<SHA256>" + kHash.substr(1) + "</SHA256>", Malformed},
        {"<REMOTE>|<SHA256>" + kHash.substr(1) + "g</SHA256>", Malformed},
        {"<REMOTE>|<SHA256>" + kHash + "</SHA257>", Malformed},
        {"<LOCAL>|<SHA256>" + kHash + "</SHA256>", Missing}})
        // clang-format on
        EXPECT_EQ(Read(F(sLines)).Files[0].eSha256, eState) << sLines;
}

// Bytes 0 to 63.
const std::string kSignature =
    "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4OTo7PD0+Pw==";

TEST(DescriptorSignature, TheSignedPartIsEverythingBeforeTheSignatureLine) {
    const std::string sBody = D("<UPDATE>|<URL>u</URL>|</UPDATE>");
    const std::string sLine = "<SIGNATURE>" + kSignature + "</SIGNATURE>";
    for (const char* sEnd : {"", "\r\n", "\n"}) {
        const std::string sAll = sBody + sLine + sEnd;
        const SignedDescriptor split = SplitSignedDescriptor(sAll);
        ASSERT_EQ(split.eProblem, SignatureProblem::None);
        EXPECT_EQ(std::tuple(split.sSigned, split.signature[0], split.signature[63]),
                  std::tuple(sBody, 0, 63));
    }
    using enum SignatureProblem;
    // clang-format off
    for (const auto& [sWhy, sAll, eProblem] : {
        std::tuple{"no signature", sBody, Missing},
        {"not at the start of a line", sBody + " " + sLine, Missing},
        {"text after the line", sBody + sLine + "\r\n<FILE>\r\n", Malformed},
        {"an unclosed line", sBody + "<SIGNATURE>" + kSignature + "\r\n", Malformed},
        {"63 bytes", sBody + "<SIGNATURE>" + kSignature.substr(0, 84) + "</SIGNATURE>", BadBase64},
        {"above the cap", std::string(kMaxDescriptorBytes, ' ') + "\r" + sLine, TooLarge}})
        // clang-format on
        EXPECT_EQ(SplitSignedDescriptor(sAll).eProblem, eProblem) << sWhy;
}

// A changed character either fails to decode or decodes to other bytes, never the same.
TEST(DescriptorSignature, Base64IsStrictAndNoChangedCharacterGivesTheSameBytes) {
    const std::vector<uint8_t> original = *DecodeBase64(kSignature);
    for (size_t i = 0; i < kSignature.size(); ++i) {
        for (const char c : {'A', 'B', 'w', '/', '=', ' '}) {
            std::string s = kSignature;
            s[i] = c;
            const auto bytes = DecodeBase64(s);
            EXPECT_TRUE(s == kSignature || !bytes || *bytes != original) << i << c;
        }
    }
    EXPECT_EQ(DecodeBase64("Zm9vYg=="), (std::vector<uint8_t>{'f', 'o', 'o', 'b'}));
    for (const char* sBad : {"Zh==", "Zm9=", "Zm9", "Z===", "====", "=Zm9", "Zm9v\n"})
        EXPECT_FALSE(DecodeBase64(sBad).has_value()) << sBad;
}

}  // namespace
}  // namespace quillon
