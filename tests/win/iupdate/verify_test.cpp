// The update's trust under CNG: a descriptor signed by the publisher with the development key
// verifies and no changed byte does; files hash to the digests the descriptor names.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "iupdate/win/update_verify.h"
#include "support/temp_folder.h"
#include "update_files.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;
using namespace quillon::iupdate;

// Until the core's descriptor reader (with its base64) is on main.
std::vector<uint8_t> FromBase64(std::string_view sText) {
    constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<uint8_t> bytes;
    uint32_t lBits = 0;
    int lCount = 0;
    for (const char c : sText) {
        if (c == '=') break;
        lBits = lBits << 6 | static_cast<uint32_t>(kAlphabet.find(c));
        if ((lCount += 6) >= 8) bytes.push_back(static_cast<uint8_t>(lBits >> (lCount -= 8)));
    }
    return bytes;
}

struct SignedDescriptor {
    std::string sSigned;
    std::vector<uint8_t> signature;
};

SignedDescriptor ReadSignedDescriptor() {
    const std::string sText = ReadAll(TestFolder() / "signed_descriptor.xml");
    const size_t line = sText.find("<SIGNATURE>");
    const size_t end = sText.find("</SIGNATURE>");
    if (line == std::string::npos || end == std::string::npos) return {};
    return {sText.substr(0, line), FromBase64(sText.substr(line + 11, end - line - 11))};
}

TEST(UpdateVerification, ThePublishersSignatureHoldsAndNoChangedByteOrSignaturePasses) {
    const SignedDescriptor descriptor = ReadSignedDescriptor();
    ASSERT_EQ(descriptor.signature.size(), 64u);
    ASSERT_GT(descriptor.sSigned.size(), 1000u);
    EXPECT_TRUE(VerifyDescriptor(descriptor.sSigned, descriptor.signature));

    for (size_t i = 0; i < descriptor.sSigned.size(); ++i) {
        std::string sChanged = descriptor.sSigned;
        sChanged[i] ^= 0x01;
        EXPECT_FALSE(VerifyDescriptor(sChanged, descriptor.signature)) << "byte " << i;
    }
    for (size_t i = 0; i < descriptor.signature.size(); ++i) {
        std::vector<uint8_t> changed = descriptor.signature;
        changed[i] ^= 0x80;
        EXPECT_FALSE(VerifyDescriptor(descriptor.sSigned, changed)) << "signature byte " << i;
    }
    EXPECT_FALSE(VerifyDescriptor(descriptor.sSigned + "\r\n", descriptor.signature));
    std::vector<uint8_t> longer = descriptor.signature;
    longer.push_back(0);
    EXPECT_FALSE(VerifyDescriptor(descriptor.sSigned, longer));
    EXPECT_FALSE(VerifyDescriptor(descriptor.sSigned, {}));
}

TEST(UpdateVerification, FileDigestsMatchTheStandardValuesAcrossReadBlocks) {
    const TempFolder temp;
    const struct {
        std::string sContent;
        const char* szDigest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // Longer than one read of the file.
        {std::string(2 << 20, 'a'),
         "5256ec18f11624025905d057d6befb03d77b243511ac5f77ed5e0221ce6d84b5"},
    };
    for (const auto& c : cases) {
        WriteAll(temp.path / "file.bin", c.sContent);
        EXPECT_EQ(FileSha256(Utf8(temp.path / "file.bin")), c.szDigest) << c.sContent.size();
    }
    EXPECT_FALSE(FileSha256(Utf8(temp.path / "missing.bin")));
}

}  // namespace
}  // namespace quillon::test
