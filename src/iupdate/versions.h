#pragma once
// Versions and dates of published and installed files, and the texts the library shows of them.

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/dates.h"

namespace quillon {

struct VersionRec {
    int32_t lMajor = 0;
    int32_t lMinor = 0;
    int32_t lRelease = 0;
};

struct DateRec {
    int32_t lDay = 0;
    int32_t lMonth = 0;
    int32_t lYear = 0;
};

// The rightmost lWidth characters of lWidth zeros followed by the text: ("5", 2) gives "05",
// ("123", 2) gives "23".
std::string VerFormat(std::string_view sText, size_t lWidth);

// What GetFileVersion makes of a version resource.
struct FileVersion {
    VersionRec version;
    std::string sText;  // major, two-digit minor, four-digit release: 2.1.0.15 gives "2.01.0015"
};

// The four 16-bit parts of a file version as the resource stores them, read as signed numbers
// (most significant word's high half first). The release is the number written as the build's
// decimal digits followed by the revision's (build 1 and revision 5 give 15). That can exceed 32
// bits (32767 and 32767); such a release is clamped to the 32-bit range. A negative revision puts a
// minus sign inside the digits, which is no number: QuillonError 13 (type mismatch), for
// GetFileVersion to report.
FileVersion ComposeFileVersion(int16_t iMajor, int16_t iMinor, int16_t iBuild, int16_t iRevision);

// True when A is strictly later than B: major, then minor, then release.
bool IsVersionNewer(const VersionRec& a, const VersionRec& b);

// The comparison of IsDateNewer: true when the date is strictly later than the file's local
// calendar date (year, then month, then day).
bool IsDateNewer(const DateRec& date, const CalendarDate& fileDate);

// Kilobytes or megabytes rounded up, plus one even on exact multiples: 0 to 1023 give "1 Kb",
// 1024 gives "2 Kb", 1048576 gives "2 Mb".
std::string FormatSize(int32_t lBytes);

// "a.b.c", then a space and the extra text when there is one: the About box's version label and
// the version sent with feedback.
std::string AppVersionText(int32_t lMajor, int32_t lMinor, int32_t lRev, std::string_view sExtra);

}  // namespace quillon
