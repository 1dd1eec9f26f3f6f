// The publisher's output as the library will meet it: a descriptor in the reader's exact form,
// signed so that the committed public key verifies it, naming compressed files whose sizes,
// digests and contents match; and the manifests it must refuse.

#include <gtest/gtest.h>
#include <openssl/bn.h>
#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "container.h"
#include "iupdate/descriptor_signature.h"
#include "iupdate/update_descriptor.h"
#include "manifest.h"
#include "publisher.h"
#include "signing.h"
#include "support/fakes.h"

namespace quillon::publish {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = QUILLON_SOURCE_DIR;

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::vector<uint8_t> Bytes(std::string_view s) { return {s.begin(), s.end()}; }

// OpenSSL's own verification, from the DER public key and r then s turned back into DER.
bool VerifiesWithCommittedKey(const std::string& sSigned, const std::vector<uint8_t>& rs) {
    const std::string sDer = ReadAll(kSource / "packaging" / "update_key_public.der");
    const auto* pDer = reinterpret_cast<const unsigned char*>(sDer.data());
    const std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(
        d2i_PUBKEY(nullptr, &pDer, static_cast<long>(sDer.size())), EVP_PKEY_free);
    if (!key || rs.size() != 64) return false;
    const std::unique_ptr<ECDSA_SIG, decltype(&ECDSA_SIG_free)> sig(ECDSA_SIG_new(),
                                                                    ECDSA_SIG_free);
    ECDSA_SIG_set0(sig.get(), BN_bin2bn(rs.data(), 32, nullptr),
                   BN_bin2bn(rs.data() + 32, 32, nullptr));
    unsigned char* pSig = nullptr;
    const int lSig = i2d_ECDSA_SIG(sig.get(), &pSig);
    const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                          EVP_MD_CTX_free);
    const bool bValid =
        EVP_DigestVerifyInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) == 1 &&
        EVP_DigestVerify(context.get(), pSig, static_cast<size_t>(lSig),
                         reinterpret_cast<const unsigned char*>(sSigned.data()),
                         sSigned.size()) == 1;
    OPENSSL_free(pSig);
    return bValid;
}

std::string Hex(std::span<const uint8_t> bytes) {
    std::string sHex;
    for (const uint8_t b : bytes)
        sHex += "0123456789abcdef"[b >> 4], sHex += "0123456789abcdef"[b & 15];
    return sHex;
}

std::string Inflated(const std::string& sContainer) {
    const size_t lStream = sContainer.size() - 4;
    uint32_t lSize = 0;
    for (int i = 0; i < 4; ++i) lSize |= uint32_t(uint8_t(sContainer[lStream + i])) << 8 * i;
    std::string sContent(lSize, '\0');
    uLongf lLength = lSize;
    if (uncompress(reinterpret_cast<Bytef*>(sContent.data()), &lLength,
                   reinterpret_cast<const Bytef*>(sContainer.data()), uLong(lStream)) != Z_OK ||
        lLength != lSize) {
        return "(not decompressed)";
    }
    return sContent;
}

class PublishedUpdate : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(m_work);
        fs::create_directories(m_work / "in");
    }
    const fs::path m_work = fs::path(QUILLON_TEST_WORK) /
                            ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(PublishedUpdate, IsSignedInTheReadersFormAndNamesItsFilesExactly) {
#ifdef QUILLON_TEST_RES
    fs::copy_file(QUILLON_TEST_RES, m_work / "in" / "engine.dll");
    const std::string sProduct = "engine.dll";
#else
    WriteAll(m_work / "in" / "engine.dll", "no version here");
    const std::string sProduct = "3.1.4";
#endif
    std::string sBig(300000, '\0');
    for (size_t i = 0; i < sBig.size(); ++i) sBig[i] = char(i * 7919 % 251);
    WriteAll(m_work / "in" / "cards.jpg", sBig);
    WriteAll(m_work / "manifest",
             "url = http://example.test/\nbaseurl = http://example.test/u\n"
             "product_version = " +
                 sProduct +
                 "\n"
                 "[engine.dll]\nname = Game engine\npath = $(SYS_PATH)\n"
                 "flags = register differed\n"
                 "[cards.jpg]\nname = Card set\npath = $(APP_PATH)Data\\Cards\n"
                 "category = Pictures\ndate = 2026-2-28\n");
    PublishOptions options;
    options.manifest = m_work / "manifest";
    options.input = m_work / "in";
    options.output = m_work / "out";
    options.key = kSource / "packaging" / "dev_update_key.pem";
    const std::string sText = ReadAll(Publish(options));

    // Read back as the library reads it: the signature split off, then the core's reader, which
    // sees nothing at all unless every line ends with CR LF and is indented by tabs only.
    const SignedDescriptor split = SplitSignedDescriptor(sText);
    ASSERT_EQ(split.eProblem, SignatureProblem::None);
    EXPECT_TRUE(VerifiesWithCommittedKey(std::string(split.sSigned),
                                         {split.signature.begin(), split.signature.end()}));
    test::RecordingReporter reporter;
    const UpdateInfo info = File_Read(split.sSigned, reporter);
    EXPECT_TRUE(reporter.errors.empty());
    EXPECT_EQ(info.BaseUrl, "http://example.test/u/");
    ASSERT_EQ(info.Files.size(), 2u);
    const FileEntry& engine = info.Files[0];
    const FileEntry& cards = info.Files[1];
#ifdef QUILLON_TEST_RES
    // The game's own version (major, minor, third part) and the file's, whose release joins the
    // build's and the revision's digits as the library reads an installed file.
    EXPECT_EQ(std::tie(info.Version.lMajor, info.Version.lMinor, info.Version.lRelease),
              std::tuple(3, 1, 4));
    EXPECT_EQ(std::tie(engine.Version.lMajor, engine.Version.lMinor, engine.Version.lRelease),
              std::tuple(3, 1, 415));
#endif
    EXPECT_TRUE(engine.Register && engine.Differed && !engine.Download);
    EXPECT_EQ(engine.Local.Path, "$(SYS_PATH)");
    EXPECT_EQ(cards.Local.Path, "$(APP_PATH)Data\\Cards\\");
    EXPECT_EQ(cards.Category, "Pictures");
    EXPECT_EQ(std::tie(cards.Remote.Date.lDay, cards.Remote.Date.lMonth, cards.Remote.Date.lYear),
              std::tuple(28, 2, 2026));

    // The remote size and digest are the compressed file's, which holds the file exactly.
    for (const FileEntry& entry : info.Files) {
        const std::string sOriginal = ReadAll(m_work / "in" / entry.Local.FileName);
        const std::string sContainer =
            ReadAll(m_work / "out" / entry.Remote.Path / entry.Remote.FileName);
        EXPECT_EQ(entry.Local.Size, int32_t(sOriginal.size())) << entry.Name;
        EXPECT_EQ(entry.Remote.Size, int32_t(sContainer.size())) << entry.Name;
        ASSERT_EQ(entry.eSha256, Sha256State::Valid) << entry.Name;
        EXPECT_EQ(Hex(entry.Sha256), Sha256Hex(Bytes(sContainer))) << entry.Name;
        EXPECT_TRUE(Inflated(sContainer) == sOriginal) << entry.Name;
    }
    EXPECT_LT(cards.Remote.Size, cards.Local.Size / 10) << "the picture compresses";
}

TEST(PublishManifest, RefusesWhatTheDescriptorCannotCarryOrTheLibraryWouldNotInstall) {
    const std::string sHead = "url = u\nbaseurl = b\nproduct_version = 1.0.0\n[a.dll]\nname = A\n";
    const struct {
        std::string sLines;
        const char* szWhy;
    } cases[] = {
        {"path = C:\\Windows\n", "must begin with"},
        {"path = $(APP_PATH)..\\..\\x\n", "\"..\""},
        {"path = $(APP_PATH)$(SYS_PATH)\n", "one macro"},
        {"path = $(APP_PATH)\nname = Caf\xC3\xA9\n", "printable ASCII"},
        {"path = $(APP_PATH)\nname = <NAME>\n", "read as a tag"},
        {"path = $(APP_PATH)\nflags = download reboot\n", "unknown flag"},
        {"path = $(APP_PATH)\nfilename = ..\\a.dll\n", "not a plain file name"},
        {"path = $(APP_PATH)\n[A.DLL]\n", "a second section"},
        {"\n", "needs a name and a path"},
    };
    for (const auto& c : cases) {
        try {
            ParseManifest(sHead + c.sLines);
            ADD_FAILURE() << c.sLines;
        } catch (const PublishError& e) {
            EXPECT_NE(std::string(e.what()).find(c.szWhy), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(ParseManifest("baseurl = b\nproduct_version = 1.0.0\n"), PublishError);
    EXPECT_THROW(MakeContainer(std::vector<uint8_t>((512u << 20) + 1)), PublishError);
}

}  // namespace
}  // namespace quillon::publish
