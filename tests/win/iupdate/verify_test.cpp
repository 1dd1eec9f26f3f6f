// The update's trust under CNG: a descriptor signed by the publisher with the development key
// verifies and no changed byte does; files hash to the digests the descriptor names.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "iupdate/descriptor_signature.h"
#include "iupdate/win/update_verify.h"
#include "support/temp_folder.h"
#include "update_files.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;
using namespace quillon::iupdate;

TEST(UpdateVerification, ThePublishersSignatureHoldsAndNoChangedByteOrSignaturePasses) {
    const std::string sText = ReadAll(TestFolder() / "signed_descriptor.xml");
    const SignedDescriptor split = SplitSignedDescriptor(sText);
    ASSERT_EQ(split.eProblem, SignatureProblem::None);
    const std::string sSigned(split.sSigned);
    const std::vector<uint8_t> signature(split.signature.begin(), split.signature.end());
    ASSERT_GT(sSigned.size(), 1000u);
    EXPECT_TRUE(VerifyDescriptor(sSigned, signature));

    for (size_t i = 0; i < sSigned.size(); ++i) {
        std::string sChanged = sSigned;
        sChanged[i] ^= 0x01;
        EXPECT_FALSE(VerifyDescriptor(sChanged, signature)) << "byte " << i;
    }
    for (size_t i = 0; i < signature.size(); ++i) {
        std::vector<uint8_t> changed = signature;
        changed[i] ^= 0x80;
        EXPECT_FALSE(VerifyDescriptor(sSigned, changed)) << "signature byte " << i;
    }
    EXPECT_FALSE(VerifyDescriptor(sSigned + "\r\n", signature));
    std::vector<uint8_t> longer = signature;
    longer.push_back(0);
    EXPECT_FALSE(VerifyDescriptor(sSigned, longer));
    EXPECT_FALSE(VerifyDescriptor(sSigned, {}));
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
