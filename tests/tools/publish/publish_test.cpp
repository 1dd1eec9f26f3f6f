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
#include <string>
#include <vector>

#include "container.h"
#include "manifest.h"
#include "publisher.h"
#include "signing.h"

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

// The values of every line "<TAG>value</TAG>", in order.
std::vector<std::string> Values(const std::string& sText, const std::string& sTag) {
    std::vector<std::string> values;
    const std::string sOpen = "<" + sTag + ">";
    const std::string sClose = "</" + sTag + ">";
    for (size_t at = sText.find(sOpen); at != std::string::npos; at = sText.find(sOpen, at + 1)) {
        const size_t start = at + sOpen.size();
        values.push_back(sText.substr(start, sText.find(sClose, start) - start));
    }
    return values;
}

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

std::vector<uint8_t> FromBase64(const std::string& sText) {
    std::vector<uint8_t> bytes(sText.size());
    const int lLength =
        EVP_DecodeBlock(bytes.data(), reinterpret_cast<const unsigned char*>(sText.data()),
                        static_cast<int>(sText.size()));
    if (lLength < 0) return {};
    bytes.resize(static_cast<size_t>(lLength) - std::count(sText.begin(), sText.end(), '='));
    return bytes;
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

    // The reader's form: CR LF after every line, tabs only before a tag, the signature line last.
    const size_t lSignature = sText.find("<SIGNATURE>");
    ASSERT_NE(lSignature, std::string::npos);
    EXPECT_TRUE(sText.substr(0, lSignature).ends_with("</UPDATE>\r\n"));
    for (size_t at = 0; at < sText.size();) {
        const size_t end = sText.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "the last line ends with CR LF too";
        const std::string sLine = sText.substr(at, end - at);
        EXPECT_EQ(sLine.find_first_not_of('\t'), sLine.find('<')) << sLine;
        EXPECT_EQ(sLine.find('\n'), std::string::npos) << "a lone line feed";
        at = end + 2;
    }

    const std::string sSigned = sText.substr(0, lSignature);
    const std::vector<uint8_t> signature = FromBase64(Values(sText, "SIGNATURE").at(0));
    EXPECT_TRUE(VerifiesWithCommittedKey(sSigned, signature));

    // The product version, then each file's; the release joins build and revision digits.
    const std::vector<std::string> majors = Values(sText, "MAJOR");
    const std::vector<std::string> releases = Values(sText, "RELEASE");
    ASSERT_EQ(majors.size(), 3u);
#ifdef QUILLON_TEST_RES
    EXPECT_EQ(majors, (std::vector<std::string>{"3", "3", "0"}));
    EXPECT_EQ(releases, (std::vector<std::string>{"4", "415", "0"}));
#endif
    EXPECT_EQ(Values(sText, "BASEURL"), std::vector<std::string>{"http://example.test/u"});
    EXPECT_EQ(
        Values(sText, "PATH"),
        (std::vector<std::string>{"$(SYS_PATH)", "files", "$(APP_PATH)Data\\Cards\\", "files"}));

    // LOCAL then REMOTE for each file: the remote size and digest are the compressed file's.
    const std::vector<std::string> sizes = Values(sText, "SIZE");
    const std::vector<std::string> digests = Values(sText, "SHA256");
    const std::vector<std::string> names = {"engine.dll", "cards.jpg"};
    ASSERT_EQ(sizes.size(), 4u);
    ASSERT_EQ(digests.size(), 2u);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string sOriginal = ReadAll(m_work / "in" / names[i]);
        const std::string sContainer = ReadAll(m_work / "out" / "files" / names[i]);
        EXPECT_EQ(sizes[2 * i], std::to_string(sOriginal.size())) << names[i];
        EXPECT_EQ(sizes[2 * i + 1], std::to_string(sContainer.size())) << names[i];
        EXPECT_EQ(digests[i], Sha256Hex(Bytes(sContainer))) << names[i];
        EXPECT_TRUE(Inflated(sContainer) == sOriginal) << names[i];
    }
    EXPECT_LT(std::stol(sizes[3]), std::stol(sizes[2]) / 10) << "the picture compresses";
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
