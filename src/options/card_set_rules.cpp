#include "options/card_set_rules.h"

#include <algorithm>
#include <array>

namespace quillon {

namespace {

// a * b / c rounded to the nearest, in 64 bits so that a huge picture cannot overflow.
int ScaleRounded(int a, int b, int c) { return static_cast<int>((int64_t{a} * b + c / 2) / c); }

bool IsReservedDevice(std::string_view sBase) {
    std::string sUpper;
    for (const char c : sBase) sUpper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    if (std::find(kPlain.begin(), kPlain.end(), sUpper) != kPlain.end()) return true;
    return sUpper.size() == 4 && (sUpper.starts_with("COM") || sUpper.starts_with("LPT")) &&
           sUpper[3] >= '1' && sUpper[3] <= '9';
}

}  // namespace

CropRect CentreCrop(int lWidth, int lHeight) {
    if (lWidth <= 0 || lHeight <= 0) return {};
    // Compared as products, so that no division decides which side is the longer.
    if (int64_t{lWidth} * kCardHeight >= int64_t{lHeight} * kCardWidth) {
        const int lCropWidth =
            std::clamp(ScaleRounded(lHeight, kCardWidth, kCardHeight), 1, lWidth);
        return {(lWidth - lCropWidth) / 2, 0, lCropWidth, lHeight};
    }
    const int lCropHeight = std::clamp(ScaleRounded(lWidth, kCardHeight, kCardWidth), 1, lHeight);
    return {0, (lHeight - lCropHeight) / 2, lWidth, lCropHeight};
}

bool TooSmallForCard(int lWidth, int lHeight) {
    const CropRect crop = CentreCrop(lWidth, lHeight);
    return crop.lWidth < kCardWidth || crop.lHeight < kCardHeight;
}

std::string TrimSetName(std::string_view sName) {
    const size_t first = sName.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(sName.substr(first, sName.find_last_not_of(' ') - first + 1));
}

SetNameProblem CheckSetName(std::string_view sName) {
    if (sName.empty()) return SetNameProblem::Empty;
    // Characters, not bytes: the bytes after the first of a UTF-8 sequence do not count.
    const auto lLength = std::count_if(sName.begin(), sName.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    if (static_cast<size_t>(lLength) > kMaxSetNameLength) return SetNameProblem::TooLong;
    for (const char c : sName)
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view(R"(<>:"/\|?*)").find(c) != std::string_view::npos)
            return SetNameProblem::BadCharacter;
    // The device names stay devices whatever extension follows, and spaces before the dot do
    // not help.
    std::string_view sBase = sName.substr(0, sName.find('.'));
    while (!sBase.empty() && sBase.back() == ' ') sBase.remove_suffix(1);
    if (IsReservedDevice(sBase)) return SetNameProblem::Reserved;
    // The platform drops them from a file name, so the set would not be found under its name.
    if (sName.back() == '.' || sName.back() == ' ') return SetNameProblem::TrailingDotOrSpace;
    return SetNameProblem::None;
}

}  // namespace quillon
