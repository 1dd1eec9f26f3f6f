#include "iupdate/wizard_rules.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <utility>

#include "iupdate/versions.h"
#include "shell/paths.h"

namespace quillon {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kKeyPrefix = "KEY_";

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    std::ranges::transform(out, out.begin(), LowerAscii);
    return out;
}

// Keeps the newest lines whole; only a single line longer than the bound is cut, at a character
// boundary.
void BoundLog(std::string& sLog) {
    if (sLog.size() <= kMaxStatusLog) return;
    const size_t lLastEnd = sLog.rfind(kLineBreak, kMaxStatusLog - kLineBreak.size());
    if (lLastEnd != std::string::npos) {
        sLog.resize(lLastEnd + kLineBreak.size());
        return;
    }
    size_t lCut = kMaxStatusLog - kLineBreak.size();
    while (lCut > 0 && (static_cast<unsigned char>(sLog[lCut]) & 0xC0) == 0x80) --lCut;
    sLog.resize(lCut);
    sLog += kLineBreak;
}

}  // namespace

std::string Status_Add(std::string_view sLog, std::string_view sText, bool bAppend) {
    std::string out;
    if (!bAppend) {
        out.reserve(sText.size() + kLineBreak.size() + sLog.size());
        out.append(sText).append(kLineBreak).append(sLog);
    } else {
        out = sLog;
        const size_t lAt = out.find("...");
        if (lAt != std::string::npos) out.insert(lAt + 3, sText);
    }
    BoundLog(out);
    return out;
}

void Array_SortBubble(std::vector<FileEntry>& files) {
    std::vector<std::string> keys;
    keys.reserve(files.size());
    for (const FileEntry& entry : files) keys.push_back(Upper(entry.Category));
    for (size_t i = 0; i < files.size(); ++i) {
        for (size_t j = 0; j + 1 < files.size(); ++j) {
            if (keys[i] < keys[j]) {
                std::swap(keys[i], keys[j]);
                std::swap(files[i], files[j]);
            }
        }
    }
}

bool UrlHasPrefix(std::string_view sText) {
    const std::string sLower = Lower(sText);
    for (const std::string_view sScheme : {"http://", "ftp://"})
        if (sLower.size() > sScheme.size() && sLower.starts_with(sScheme)) return true;
    return false;
}

std::string FileUrl(std::string_view sBaseUrl, const FileLocation& remote) {
    std::string sPath = remote.Path;
    std::ranges::replace(sPath, '\\', '/');
    if (sPath.empty() || sPath.back() != '/') sPath += '/';
    if (UrlHasPrefix(sPath)) return sPath + remote.FileName;
    return std::string(sBaseUrl) + sPath + remote.FileName;
}

std::string FileRowKey(size_t lIndex) { return std::string(kKeyPrefix) + std::to_string(lIndex); }

std::optional<size_t> FileRowIndex(std::string_view sKey) {
    if (!sKey.starts_with(kKeyPrefix)) return std::nullopt;
    const std::string_view sDigits = sKey.substr(kKeyPrefix.size());
    size_t lIndex = 0;
    const auto [ptr, ec] = std::from_chars(sDigits.data(), sDigits.data() + sDigits.size(), lIndex);
    if (sDigits.empty() || ec != std::errc() || ptr != sDigits.data() + sDigits.size() ||
        lIndex == 0)
        return std::nullopt;
    return lIndex;
}

std::string FileRowDescription(const FileEntry& entry) {
    std::string s;
    const VersionRec& v = entry.Version;
    if (int64_t{v.lMajor} + v.lMinor + v.lRelease != 0)
        s = "Version " + AppVersionText(v.lMajor, v.lMinor, v.lRelease, "") + " ";
    return s + "Size : " + FormatSize(entry.Remote.Size);
}

std::vector<ListRow> Create_List(std::vector<FileEntry>& files) {
    Array_SortBubble(files);
    std::vector<ListRow> rows;
    std::string sPrevious;
    for (size_t i = 0; i < files.size(); ++i) {
        const FileEntry& entry = files[i];
        if (!entry.Available) continue;
        if (Lower(entry.Category) != Lower(sPrevious)) {
            sPrevious = entry.Category;
            rows.push_back({kRowHeader, Upper(entry.Category), entry.Category, "", "", false});
        }
        rows.push_back({kRowFile, FileRowKey(i + 1), entry.Name, entry.Icon,
                        FileRowDescription(entry), entry.Download});
    }
    return rows;
}

std::string CheckFileSize(const std::vector<FileEntry>& files, std::span<const size_t> checked) {
    // In 64 bits and clamped: 256 sizes of up to 2 GiB each overflow 32.
    int64_t lTotal = 0;
    for (const size_t lIndex : checked)
        if (lIndex >= 1 && lIndex <= files.size()) lTotal += files[lIndex - 1].Remote.Size;
    lTotal = std::clamp<int64_t>(lTotal, std::numeric_limits<int32_t>::min(),
                                 std::numeric_limits<int32_t>::max());
    return "Total download size : " + FormatSize(static_cast<int32_t>(lTotal));
}

}  // namespace quillon
