#include "iupdate/versions.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <tuple>

#include "shell/error_report.h"

namespace quillon {

std::string VerFormat(std::string_view sText, size_t lWidth) {
    std::string s(lWidth, '0');
    s += sText;
    return s.substr(s.size() - lWidth);
}

FileVersion ComposeFileVersion(int16_t iMajor, int16_t iMinor, int16_t iBuild, int16_t iRevision) {
    const std::string sDigits = std::to_string(iBuild) + std::to_string(iRevision);
    // At most 11 characters ("-32768" and "32767"): always within 64 bits.
    int64_t lRelease = 0;
    const char* pEnd = sDigits.data() + sDigits.size();
    const auto [ptr, ec] = std::from_chars(sDigits.data(), pEnd, lRelease);
    if (ec != std::errc() || ptr != pEnd) throw QuillonError(ErrTypeMismatch, "Type mismatch");
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();

    FileVersion result;
    result.version = {iMajor, iMinor, static_cast<int32_t>(std::clamp(lRelease, kMin, kMax))};
    result.sText = std::to_string(result.version.lMajor) + "." +
                   VerFormat(std::to_string(result.version.lMinor), 2) + "." +
                   VerFormat(std::to_string(result.version.lRelease), 4);
    return result;
}

bool IsVersionNewer(const VersionRec& a, const VersionRec& b) {
    return std::tie(a.lMajor, a.lMinor, a.lRelease) > std::tie(b.lMajor, b.lMinor, b.lRelease);
}

bool IsDateNewer(const DateRec& date, const CalendarDate& fileDate) {
    return std::tie(date.lYear, date.lMonth, date.lDay) >
           std::tie(fileDate.lYear, fileDate.lMonth, fileDate.lDay);
}

std::string FormatSize(int32_t lBytes) {
    if (lBytes < 1024) return "1 Kb";
    if (lBytes < 1048576) return std::to_string(lBytes / 1024 + 1) + " Kb";
    return std::to_string(lBytes / 1048576 + 1) + " Mb";
}

std::string AppVersionText(int32_t lMajor, int32_t lMinor, int32_t lRev, std::string_view sExtra) {
    std::string s =
        std::to_string(lMajor) + "." + std::to_string(lMinor) + "." + std::to_string(lRev);
    if (!sExtra.empty()) {
        s += ' ';
        s += sExtra;
    }
    return s;
}

}  // namespace quillon
