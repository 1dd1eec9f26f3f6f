#pragma once
// The cryptography of publishing, through OpenSSL's library: the SHA-256 that each file's
// REMOTE block names, and the descriptor's ECDSA P-256 signature in the form the library
// verifies with CNG (r then s, 32 bytes each) written as base64.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace quillon::publish {

// 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::span<const uint8_t> data);

// Signs SHA-256 of data with the P-256 private key of the PEM file. Throws PublishError when the
// file holds no such key or OpenSSL fails.
std::array<uint8_t, 64> SignP256(const std::filesystem::path& keyFile, std::string_view data);

// Standard base64 with padding, on one line.
std::string Base64(std::span<const uint8_t> data);

}  // namespace quillon::publish
