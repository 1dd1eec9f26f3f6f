#include "pe_version.h"

#include <algorithm>
#include <string_view>

namespace quillon::publish {

namespace {

// A version resource (VS_VERSIONINFO) begins with its length, the length of its value and its
// type (16 bits each), the key "VS_VERSION_INFO" in UTF-16 with its terminator, padding to
// 32 bits from its start, then the fixed information (VS_FIXEDFILEINFO, 52 bytes) with its
// signature first. Finding the key and checking what must surround it is enough; the section
// and resource tables that lead there need not be walked.
constexpr std::u16string_view kKey = u"VS_VERSION_INFO";
constexpr size_t kHeaderBytes = 6;
constexpr size_t kKeyBytes = (kKey.size() + 1) * 2;
constexpr size_t kFixedOffset = (kHeaderBytes + kKeyBytes + 3) / 4 * 4;
constexpr uint16_t kFixedBytes = 52;
constexpr uint32_t kSignature = 0xFEEF04BD;

uint16_t Word(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uint32_t Dword(std::span<const uint8_t> b, size_t at) {
    return Word(b, at) | static_cast<uint32_t>(Word(b, at + 2)) << 16;
}

bool KeyAt(std::span<const uint8_t> b, size_t at) {
    for (size_t i = 0; i <= kKey.size(); ++i) {
        const char16_t c = i < kKey.size() ? kKey[i] : u'\0';
        if (Word(b, at + 2 * i) != c) return false;
    }
    return true;
}

}  // namespace

std::optional<std::array<uint16_t, 4>> FileVersionOf(std::span<const uint8_t> bytes) {
    // Resource data is aligned to 32 bits in programs and compiled resource files; stepping by
    // UTF-16 characters also finds a block placed otherwise.
    for (size_t start = 0; start + kFixedOffset + kFixedBytes <= bytes.size(); start += 2) {
        if (bytes[start + kHeaderBytes] != 'V' || !KeyAt(bytes, start + kHeaderBytes)) continue;
        if (Word(bytes, start + 2) != kFixedBytes ||
            Dword(bytes, start + kFixedOffset) != kSignature) {
            continue;
        }
        const uint32_t lMs = Dword(bytes, start + kFixedOffset + 8);
        const uint32_t lLs = Dword(bytes, start + kFixedOffset + 12);
        return std::array<uint16_t, 4>{
            static_cast<uint16_t>(lMs >> 16), static_cast<uint16_t>(lMs & 0xFFFF),
            static_cast<uint16_t>(lLs >> 16), static_cast<uint16_t>(lLs & 0xFFFF)};
    }
    return std::nullopt;
}

}  // namespace quillon::publish
