#include "iupdate/update_descriptor.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace quillon {
namespace {

constexpr std::string_view kOpeningTags[] = {"<UPDATE>", "<DATE>",  "<VERSION>",
                                             "<FILES>",  "<LOCAL>", "<REMOTE>"};
constexpr std::string_view kClosingTags[] = {"</UPDATE>", "</DATE>",  "</VERSION>", "</FILES>",
                                             "</FILE>",   "</LOCAL>", "</REMOTE>"};
constexpr std::string_view kFileTag = "<FILE>";
constexpr std::string_view kSha256Tag = "<SHA256>";
constexpr std::string_view kSha256Close = "</SHA256>";
// The paths at which values are recognised: the open block tags, joined.
constexpr std::string_view kUpdate = "<UPDATE>";
constexpr std::string_view kUpdateDate = "<UPDATE><DATE>";
constexpr std::string_view kUpdateVersion = "<UPDATE><VERSION>";
constexpr std::string_view kFile = "<UPDATE><FILES><FILE>";
constexpr std::string_view kFileVersion = "<UPDATE><FILES><FILE><VERSION>";
constexpr std::string_view kLocal = "<UPDATE><FILES><FILE><LOCAL>";
constexpr std::string_view kRemote = "<UPDATE><FILES><FILE><REMOTE>";
constexpr std::string_view kRemoteDate = "<UPDATE><FILES><FILE><REMOTE><DATE>";

[[noreturn]] void TypeMismatch() { throw QuillonError(ErrTypeMismatch, "Type mismatch"); }

std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

size_t CountDigits(std::string_view s, size_t lFrom) {
    size_t i = lFrom;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i - lFrom;
}

int32_t ToLong(std::string_view sValue) {
    std::string_view s = TrimSpaces(sValue);
    const bool bNegative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
    if (s.empty() || CountDigits(s, 0) != s.size()) TypeMismatch();
    // The magnitude in 64 bits so that -2147483648 is read like any other number.
    uint64_t lMagnitude = 0;
    const auto ec = std::from_chars(s.data(), s.data() + s.size(), lMagnitude).ec;
    constexpr uint64_t kLimit = uint64_t{std::numeric_limits<int32_t>::max()} + 1;
    if (ec != std::errc() || lMagnitude > kLimit || (!bNegative && lMagnitude == kLimit))
        throw QuillonError(ErrOverflow, "Overflow");
    return static_cast<int32_t>(bNegative ? 0 - lMagnitude : lMagnitude);
}

// Flags are true exactly when the value, read as a number, is 1. The syntax is checked here
// because from_chars would also take "inf", "nan" and hexadecimal forms.
bool ToFlag(std::string_view sValue) {
    std::string_view s = TrimSpaces(sValue);
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) s.remove_prefix(1);
    size_t i = CountDigits(s, 0);
    size_t lMantissaDigits = i;
    if (i < s.size() && s[i] == '.') {
        const size_t lFraction = CountDigits(s, i + 1);
        lMantissaDigits += lFraction;
        i += 1 + lFraction;
    }
    if (lMantissaDigits == 0) TypeMismatch();
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
        const size_t lExponent = CountDigits(s, j);
        if (lExponent == 0) TypeMismatch();
        i = j + lExponent;
    }
    if (i != s.size()) TypeMismatch();
    const std::string_view sNumber = TrimSpaces(sValue);
    const size_t lSkip = sNumber.front() == '+' ? 1 : 0;
    double dValue = 0;
    const auto [ptr, ec] =
        std::from_chars(sNumber.data() + lSkip, sNumber.data() + sNumber.size(), dValue);
    if (ec == std::errc::result_out_of_range) return false;  // neither 1 nor near it
    if (ec != std::errc() || ptr != sNumber.data() + sNumber.size()) TypeMismatch();
    return dValue == 1.0;
}

FileEntry& CurrentEntry(UpdateInfo& info) {
    // A FILE path is only reached through a "<FILE>" line, which adds the entry.
    if (info.Files.empty()) throw QuillonError(ErrSubscriptOutOfRange, "Subscript out of range");
    return info.Files.back();
}

using Store = void (*)(UpdateInfo&, const std::string&);

struct ValueTag {
    std::string_view sPath;
    std::string_view sTag;
    Store store;
};

// clang-format off
const ValueTag kValueTags[] = {
    {kUpdate, "<URL>", [](UpdateInfo& u, const std::string& v) { u.Url = v; }},
    {kUpdate, "<BASEURL>", [](UpdateInfo& u, const std::string& v) {
         u.BaseUrl = v;
         if (u.BaseUrl.empty() || u.BaseUrl.back() != '/') u.BaseUrl += '/';
     }},
    {kUpdateDate, "<DAY>", [](UpdateInfo& u, const std::string& v) { u.Date.lDay = ToLong(v); }},
    {kUpdateDate, "<MONTH>", [](UpdateInfo& u, const std::string& v) { u.Date.lMonth = ToLong(v); }},
    {kUpdateDate, "<YEAR>", [](UpdateInfo& u, const std::string& v) { u.Date.lYear = ToLong(v); }},
    {kUpdateVersion, "<MAJOR>", [](UpdateInfo& u, const std::string& v) { u.Version.lMajor = ToLong(v); }},
    {kUpdateVersion, "<MINOR>", [](UpdateInfo& u, const std::string& v) { u.Version.lMinor = ToLong(v); }},
    {kUpdateVersion, "<RELEASE>", [](UpdateInfo& u, const std::string& v) { u.Version.lRelease = ToLong(v); }},
    {kFile, "<NAME>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Name = v; }},
    {kFile, "<DOWNLOAD>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Download = ToFlag(v); }},
    {kFile, "<ICON>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Icon = v; }},
    {kFile, "<HIDDEN>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Hidden = ToFlag(v); }},
    {kFile, "<DIFFERED>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Differed = ToFlag(v); }},
    {kFile, "<REGISTER>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Register = ToFlag(v); }},
    {kFile, "<RESTART>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Restart = ToFlag(v); }},
    {kFile, "<CATEGORY>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Category = v; }},
    {kFileVersion, "<MAJOR>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Version.lMajor = ToLong(v); }},
    {kFileVersion, "<MINOR>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Version.lMinor = ToLong(v); }},
    {kFileVersion, "<RELEASE>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Version.lRelease = ToLong(v); }},
    {kLocal, "<PATH>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Local.Path = v; }},
    {kLocal, "<FILENAME>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Local.FileName = v; }},
    {kLocal, "<SIZE>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Local.Size = ToLong(v); }},
    {kRemote, "<PATH>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Remote.Path = v; }},
    {kRemote, "<FILENAME>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Remote.FileName = v; }},
    {kRemote, "<SIZE>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Remote.Size = ToLong(v); }},
    {kRemoteDate, "<DAY>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Remote.Date.lDay = ToLong(v); }},
    {kRemoteDate, "<MONTH>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Remote.Date.lMonth = ToLong(v); }},
    {kRemoteDate, "<YEAR>", [](UpdateInfo& u, const std::string& v) { CurrentEntry(u).Remote.Date.lYear = ToLong(v); }},
};
// clang-format on

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The hash is our own addition, so unlike the other values its line is checked whole: the tags,
// exactly 64 hex digits between them, nothing else.
void StoreSha256(FileEntry& entry, std::string_view sLine) {
    entry.eSha256 = Sha256State::Malformed;
    if (sLine.size() != kSha256Tag.size() + 64 + kSha256Close.size() ||
        !sLine.ends_with(kSha256Close))
        return;
    const std::string_view sHex = sLine.substr(kSha256Tag.size(), 64);
    for (size_t i = 0; i < entry.Sha256.size(); ++i) {
        const int iHigh = HexDigit(sHex[2 * i]);
        const int iLow = HexDigit(sHex[2 * i + 1]);
        if (iHigh < 0 || iLow < 0) return;
        entry.Sha256[i] = static_cast<uint8_t>(iHigh * 16 + iLow);
    }
    entry.eSha256 = Sha256State::Valid;
}

void UpdatePath(std::string& sPath, const std::string& sLine, UpdateInfo& info) {
    if (std::ranges::find(kOpeningTags, sLine) != std::end(kOpeningTags)) {
        sPath += sLine;
    } else if (std::ranges::find(kClosingTags, sLine) != std::end(kClosingTags)) {
        const size_t lCut = sLine.size() - 1;  // whatever the path ends with
        if (lCut > sPath.size())
            throw QuillonError(ErrInvalidCall, "Invalid procedure call or argument");
        sPath.resize(sPath.size() - lCut);
    } else if (sLine == kFileTag) {
        if (info.Files.size() >= kMaxFileBlocks)
            throw QuillonError(ErrOverflow, "The update information lists more than " +
                                                std::to_string(kMaxFileBlocks) + " files.");
        sPath += sLine;
        info.Files.emplace_back();
    }
}

void MatchValue(const std::string& sPath, const std::string& sLine, UpdateInfo& info,
                IErrorReporter& reporter) {
    for (const ValueTag& tag : kValueTags) {
        if (tag.sPath != sPath) continue;
        std::string sValue = sLine;
        bool bMatched = false;
        try {
            bMatched = StripXml(sValue, tag.sTag);
        } catch (...) {
            ReportCurrentException(reporter, "frmInternetUpdate::StripXml", true);
        }
        if (bMatched) {
            tag.store(info, sValue);
            return;
        }
    }
    if (sPath == kRemote && sLine.starts_with(kSha256Tag)) StoreSha256(CurrentEntry(info), sLine);
}

}  // namespace

bool StripXml(std::string& sLine, std::string_view sTag) {
    if (sLine.size() <= sTag.size() || !sLine.starts_with(sTag)) return false;
    const size_t lRest = sLine.size() - sTag.size();
    const size_t lClosing = sTag.size() + 1;
    if (lRest < lClosing) throw QuillonError(ErrInvalidCall, "Invalid procedure call or argument");
    sLine = sLine.substr(sTag.size(), lRest - lClosing);
    return true;
}

UpdateInfo File_Read(std::string_view sDescriptor, IErrorReporter& reporter) {
    if (sDescriptor.size() > kMaxDescriptorBytes)
        throw QuillonError(ErrOverflow, "The update information is larger than " +
                                            std::to_string(kMaxDescriptorBytes) + " bytes.");
    UpdateInfo info;
    std::string sPath;
    std::string sLine;
    size_t lPos = 0;
    while (lPos < sDescriptor.size()) {
        // A line ends at CR or CR LF; a lone LF is part of the line.
        const size_t lEnd = std::min(sDescriptor.find('\r', lPos), sDescriptor.size());
        sLine.clear();
        for (const char c : sDescriptor.substr(lPos, lEnd - lPos))
            if (c != '\t') sLine += c;
        lPos = lEnd + 1;
        if (lPos < sDescriptor.size() && sDescriptor[lPos] == '\n') ++lPos;

        UpdatePath(sPath, sLine, info);
        MatchValue(sPath, sLine, info, reporter);
    }
    return info;
}

}  // namespace quillon
