#include "iupdate/descriptor_signature.h"

#include <algorithm>

#include "iupdate/update_descriptor.h"

namespace quillon {
namespace {

constexpr std::string_view kOpen = "<SIGNATURE>";
constexpr std::string_view kClose = "</SIGNATURE>";

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

size_t FindSignatureLine(std::string_view s) {
    for (size_t lAt = s.find(kOpen); lAt != std::string_view::npos; lAt = s.find(kOpen, lAt + 1))
        if (lAt == 0 || s[lAt - 1] == '\r' || s[lAt - 1] == '\n') return lAt;
    return std::string_view::npos;
}

}  // namespace

std::optional<std::vector<uint8_t>> DecodeBase64(std::string_view sText) {
    if (sText.size() % 4 != 0) return std::nullopt;
    const size_t lPadding = sText.ends_with("==") ? 2 : sText.ends_with("=") ? 1 : 0;
    std::vector<uint8_t> bytes;
    bytes.reserve(sText.size() / 4 * 3);
    uint32_t lBits = 0;
    for (size_t i = 0; i < sText.size() - lPadding; ++i) {
        const int iValue = Base64Value(sText[i]);
        if (iValue < 0) return std::nullopt;
        lBits = (lBits << 6) | static_cast<uint32_t>(iValue);
        if (i % 4 == 3) {
            bytes.push_back(static_cast<uint8_t>(lBits >> 16));
            bytes.push_back(static_cast<uint8_t>(lBits >> 8));
            bytes.push_back(static_cast<uint8_t>(lBits));
            lBits = 0;
        }
    }
    // The last group: 3 characters carry 2 bytes and 2 spare bits, 2 carry 1 byte and 4 spare
    // bits. Spare bits that are not zero would give a second spelling of the same bytes.
    if (lPadding == 2) {
        if (lBits & 0xF) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(lBits >> 4));
    } else if (lPadding == 1) {
        if (lBits & 0x3) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(lBits >> 10));
        bytes.push_back(static_cast<uint8_t>(lBits >> 2));
    }
    return bytes;
}

SignedDescriptor SplitSignedDescriptor(std::string_view sDownloaded) {
    SignedDescriptor result;
    if (sDownloaded.size() > kMaxDescriptorBytes) {
        result.eProblem = SignatureProblem::TooLarge;
        return result;
    }
    const size_t lLine = FindSignatureLine(sDownloaded);
    if (lLine == std::string_view::npos) {
        result.eProblem = SignatureProblem::Missing;
        return result;
    }
    std::string_view sRest = sDownloaded.substr(lLine + kOpen.size());
    for (std::string_view sEnd : {"\r\n", "\r", "\n"}) {
        if (sRest.ends_with(sEnd)) {
            sRest.remove_suffix(sEnd.size());
            break;
        }
    }
    if (!sRest.ends_with(kClose) ||
        std::ranges::any_of(sRest, [](char c) { return c == '\r' || c == '\n'; })) {
        result.eProblem = SignatureProblem::Malformed;
        return result;
    }
    sRest.remove_suffix(kClose.size());
    const std::optional<std::vector<uint8_t>> bytes = DecodeBase64(sRest);
    if (!bytes || bytes->size() != kSignatureBytes) {
        result.eProblem = SignatureProblem::BadBase64;
        return result;
    }
    std::ranges::copy(*bytes, result.signature.begin());
    result.sSigned = sDownloaded.substr(0, lLine);
    return result;
}

}  // namespace quillon
