#pragma once
// A signed descriptor is the descriptor followed by one line
//   <SIGNATURE>base64 of r then s (64 bytes)</SIGNATURE>
// holding an ECDSA P-256 signature over the exact bytes before that line. Readers that do not know
// the line ignore it. Only the parsing is here: the Windows side verifies with the platform's
// cryptography and reads nothing of a descriptor that failed.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quillon {

inline constexpr size_t kSignatureBytes = 64;

enum class SignatureProblem {
    None,
    TooLarge,   // above kMaxDescriptorBytes
    Missing,    // no line begins with "<SIGNATURE>"
    Malformed,  // the line is not closed by "</SIGNATURE>", or more than a line end follows it
    BadBase64,  // not strict base64, or not 64 bytes
};

struct SignedDescriptor {
    SignatureProblem eProblem = SignatureProblem::None;
    std::string_view sSigned;  // everything before the signature line, its line end included
    std::array<uint8_t, kSignatureBytes> signature{};
};

// The first line (at the start or after a CR or LF) that begins with "<SIGNATURE>" is the
// signature line; only "\r\n", "\r" or "\n" may follow it.
SignedDescriptor SplitSignedDescriptor(std::string_view sDownloaded);

// Strict base64 (RFC 4648, standard alphabet): length a multiple of 4, "=" only as the final
// padding, unused bits zero, no white space. nullopt for anything else.
std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view sText);

}  // namespace quillon
