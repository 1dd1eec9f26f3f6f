#pragma once
// What the update library trusts of a download: a descriptor signed with the maker's key
// (ECDSA P-256 over SHA-256 of its bytes) and files whose SHA-256 the descriptor names. The
// platform's CNG does the cryptography.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quillon::iupdate {

// The maker's public key, X then Y of its P-256 point (32 bytes each), built into the library
// from packaging/update_key_public.der.
std::span<const uint8_t, 64> UpdatePublicKey();

// True when signature (r then s, 32 bytes each, big-endian) is a valid ECDSA P-256 signature
// by publicKey of the SHA-256 of data. False for anything else, a signature of another length
// or a key CNG refuses included.
bool VerifyEcdsaP256(std::span<const uint8_t, 64> publicKey, std::string_view data,
                     std::span<const uint8_t> signature);

// VerifyEcdsaP256 with the built-in key: the exact bytes of the descriptor before its
// signature line, and the signature decoded from that line.
bool VerifyDescriptor(std::string_view signedBytes, std::span<const uint8_t> signature);

// The SHA-256 of the file's bytes as 64 lower-case hexadecimal digits; nothing when the file
// cannot be read.
std::optional<std::string> FileSha256(std::string_view sPath);

}  // namespace quillon::iupdate
