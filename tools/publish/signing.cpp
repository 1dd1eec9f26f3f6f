#include "signing.h"

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <memory>
#include <vector>

#include "manifest.h"

namespace quillon::publish {

namespace {

template <auto Free>
struct Deleter {
    template <typename T>
    void operator()(T* p) const {
        Free(p);
    }
};
using Bio = std::unique_ptr<BIO, Deleter<BIO_free>>;
using Key = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY_free>>;
using DigestContext = std::unique_ptr<EVP_MD_CTX, Deleter<EVP_MD_CTX_free>>;
using Signature = std::unique_ptr<ECDSA_SIG, Deleter<ECDSA_SIG_free>>;

constexpr int kPointBytes = 32;

Key ReadP256Key(const std::filesystem::path& keyFile) {
    const Bio file(BIO_new_file(keyFile.c_str(), "r"));
    if (!file) throw PublishError("cannot read the key " + keyFile.string());
    Key key(PEM_read_bio_PrivateKey(file.get(), nullptr, nullptr, nullptr));
    char szGroup[32] = {};
    size_t lGroup = 0;
    if (!key || !EVP_PKEY_is_a(key.get(), "EC") ||
        !EVP_PKEY_get_group_name(key.get(), szGroup, sizeof szGroup, &lGroup) ||
        std::string_view(szGroup, lGroup) != "prime256v1") {
        throw PublishError(keyFile.string() + " holds no P-256 private key");
    }
    return key;
}

}  // namespace

std::string Sha256Hex(std::span<const uint8_t> data) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int lDigest = 0;
    if (!EVP_Digest(data.data(), data.size(), digest, &lDigest, EVP_sha256(), nullptr)) {
        throw PublishError("OpenSSL could not hash a file");
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string sHex;
    for (unsigned int i = 0; i < lDigest; ++i) {
        sHex += kDigits[digest[i] >> 4];
        sHex += kDigits[digest[i] & 0xF];
    }
    return sHex;
}

std::array<uint8_t, 64> SignP256(const std::filesystem::path& keyFile, std::string_view data) {
    const Key key = ReadP256Key(keyFile);
    const DigestContext context(EVP_MD_CTX_new());
    size_t lDer = 0;
    if (!context ||
        EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1 ||
        EVP_DigestSign(context.get(), nullptr, &lDer,
                       reinterpret_cast<const unsigned char*>(data.data()), data.size()) != 1) {
        throw PublishError("OpenSSL could not sign the descriptor");
    }
    std::vector<unsigned char> der(lDer);
    if (EVP_DigestSign(context.get(), der.data(), &lDer,
                       reinterpret_cast<const unsigned char*>(data.data()), data.size()) != 1) {
        throw PublishError("OpenSSL could not sign the descriptor");
    }
    // OpenSSL writes the DER sequence of two integers; CNG wants both as 32 fixed bytes.
    const unsigned char* pDer = der.data();
    const Signature signature(d2i_ECDSA_SIG(nullptr, &pDer, static_cast<long>(lDer)));
    const BIGNUM* r = nullptr;
    const BIGNUM* s = nullptr;
    if (signature) ECDSA_SIG_get0(signature.get(), &r, &s);
    std::array<uint8_t, 64> rs{};
    if (!r || !s || BN_bn2binpad(r, rs.data(), kPointBytes) != kPointBytes ||
        BN_bn2binpad(s, rs.data() + kPointBytes, kPointBytes) != kPointBytes) {
        throw PublishError("OpenSSL wrote a signature that is not two 32-byte numbers");
    }
    return rs;
}

std::string Base64(std::span<const uint8_t> data) {
    std::string sText(4 * ((data.size() + 2) / 3) + 1, '\0');
    const int lLength = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(sText.data()), data.data(),
                                        static_cast<int>(data.size()));
    sText.resize(static_cast<size_t>(lLength));
    return sText;
}

}  // namespace quillon::publish
