#include "iupdate/win/update_verify.h"

#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "update_public_key.h"  // generated from the DER file at build time

namespace quillon::iupdate {

namespace {

constexpr ULONG kPointBytes = 32;
constexpr ULONG kSha256Bytes = 32;

struct AlgorithmTraits {
    using Handle = BCRYPT_ALG_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { BCryptCloseAlgorithmProvider(h, 0); }
};
struct KeyTraits {
    using Handle = BCRYPT_KEY_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { BCryptDestroyKey(h); }
};
struct HashTraits {
    using Handle = BCRYPT_HASH_HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { BCryptDestroyHash(h); }
};
using ScopedAlgorithm = win::Scoped<AlgorithmTraits>;
using ScopedKey = win::Scoped<KeyTraits>;

// SHA-256 fed piece by piece. The hash object calls (not BCryptHash, which Windows 7 lacks)
// work on every system the game supports and under Wine.
class Sha256 {
  public:
    Sha256() {
        if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(m_algorithm.Out(), BCRYPT_SHA256_ALGORITHM,
                                                        nullptr, 0)) ||
            !BCRYPT_SUCCESS(
                BCryptCreateHash(m_algorithm.Get(), m_hash.Out(), nullptr, 0, nullptr, 0, 0))) {
            m_hash.Reset();
        }
    }
    bool Add(const void* pData, size_t lLength) {
        // The call takes a 32-bit length: larger blocks go in pieces.
        const auto* p = static_cast<const uint8_t*>(pData);
        while (m_hash && lLength > 0) {
            const ULONG lPiece = static_cast<ULONG>(std::min<size_t>(lLength, 1u << 30));
            if (!BCRYPT_SUCCESS(BCryptHashData(m_hash.Get(), const_cast<PUCHAR>(p), lPiece, 0))) {
                m_hash.Reset();
            }
            p += lPiece;
            lLength -= lPiece;
        }
        return static_cast<bool>(m_hash);
    }
    std::optional<std::vector<uint8_t>> Finish() {
        std::vector<uint8_t> digest(kSha256Bytes);
        if (!m_hash ||
            !BCRYPT_SUCCESS(BCryptFinishHash(m_hash.Get(), digest.data(), kSha256Bytes, 0))) {
            return std::nullopt;
        }
        return digest;
    }

  private:
    ScopedAlgorithm m_algorithm;
    win::Scoped<HashTraits> m_hash;  // empty after any failure
};

std::string Hex(const std::vector<uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string sHex;
    for (const uint8_t b : bytes) {
        sHex += kDigits[b >> 4];
        sHex += kDigits[b & 0xF];
    }
    return sHex;
}

}  // namespace

std::span<const uint8_t, 64> UpdatePublicKey() { return kUpdatePublicKeyXY; }

bool VerifyEcdsaP256(std::span<const uint8_t, 64> publicKey, std::string_view data,
                     std::span<const uint8_t> signature) {
    if (signature.size() != 2 * kPointBytes) return false;
    Sha256 hash;
    hash.Add(data.data(), data.size());
    const std::optional<std::vector<uint8_t>> digest = hash.Finish();
    if (!digest) return false;

    // BCRYPT_ECCPUBLIC_BLOB: the header, then X and Y.
    std::vector<uint8_t> blob(sizeof(BCRYPT_ECCKEY_BLOB) + publicKey.size());
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, kPointBytes};
    memcpy(blob.data(), &header, sizeof header);
    memcpy(blob.data() + sizeof header, publicKey.data(), publicKey.size());

    ScopedAlgorithm algorithm;
    ScopedKey key;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(algorithm.Out(), BCRYPT_ECDSA_P256_ALGORITHM,
                                                    nullptr, 0)) ||
        !BCRYPT_SUCCESS(BCryptImportKeyPair(algorithm.Get(), nullptr, BCRYPT_ECCPUBLIC_BLOB,
                                            key.Out(), blob.data(), static_cast<ULONG>(blob.size()),
                                            0))) {
        return false;
    }
    // CNG takes the buffers as writable pointers but only reads them.
    return BCRYPT_SUCCESS(BCryptVerifySignature(
        key.Get(), nullptr, const_cast<PUCHAR>(digest->data()), kSha256Bytes,
        const_cast<PUCHAR>(signature.data()), static_cast<ULONG>(signature.size()), 0));
}

bool VerifyDescriptor(std::string_view signedBytes, std::span<const uint8_t> signature) {
    return VerifyEcdsaP256(UpdatePublicKey(), signedBytes, signature);
}

std::optional<std::string> FileSha256(std::string_view sPath) {
    const win::ScopedFile file(CreateFileW(win::Widen(sPath).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                           nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                           nullptr));
    if (!file) return std::nullopt;
    Sha256 hash;
    std::vector<uint8_t> buffer(1 << 20);
    for (;;) {
        DWORD lRead = 0;
        if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &lRead,
                      nullptr)) {
            return std::nullopt;
        }
        if (lRead == 0) break;
        if (!hash.Add(buffer.data(), lRead)) return std::nullopt;
    }
    const std::optional<std::vector<uint8_t>> digest = hash.Finish();
    if (!digest) return std::nullopt;
    return Hex(*digest);
}

}  // namespace quillon::iupdate
