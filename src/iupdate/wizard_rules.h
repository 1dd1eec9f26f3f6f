#pragma once
// The update wizard's rules that need no window: its log, the order and rows of its list, the
// address of each file and the total size label.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "iupdate/update_descriptor.h"

namespace quillon {

inline constexpr std::string_view kStatusInvitation =
    "Click \"Update\" to start Internet Update...\r\n";
// An edit control holds about 32K characters before it needs raising; the oldest lines (at the
// bottom) go first. In bytes of UTF-8, so the UTF-16 text is never longer.
inline constexpr size_t kMaxStatusLog = 30000;

// The log with one more line. bAppend false: sText and a line break on top of the log.
// bAppend true: sText written behind the first "..." from the top (the newest stage still
// waiting for its outcome); without one, the log is unchanged.
std::string Status_Add(std::string_view sLog, std::string_view sText, bool bAppend);

// Orders the entries by category, upper-cased and compared byte by byte, with the exchanges of
// the wizard's bubble sort (for every i, for every j but the last, exchange when i's category is
// below j's): ascending, and entries of one category keep whatever order those exchanges leave.
void Array_SortBubble(std::vector<FileEntry>& files);

// Begins with "http://" or "ftp://" (any case) and holds more than that.
bool UrlHasPrefix(std::string_view sText);

// Where a file is fetched: the remote path with "/" for "\" and a final "/", then the file name;
// below BaseUrl unless the path is itself an absolute address.
std::string FileUrl(std::string_view sBaseUrl, const FileLocation& remote);

inline constexpr int32_t kRowHeader = 1300;
inline constexpr int32_t kRowFile = 501;

struct ListRow {
    int32_t lType = kRowFile;
    std::string sKey;  // header: the category in upper case; file: FileRowKey of its entry
    std::string sCaption;
    std::string sIcon;  // file rows only
    std::string sDescription;
    bool bMandatory = false;  // file rows only; every file row starts checked
};

// "KEY_" and the entry's index counted from 1, and back (nullopt for a header's key or garbage).
std::string FileRowKey(size_t lIndex);
std::optional<size_t> FileRowIndex(std::string_view sKey);

// "Version a.b.c " when the version is not 0.0.0 (by its sum), then "Size : " and the size.
std::string FileRowDescription(const FileEntry& entry);

// Sorts the entries (Array_SortBubble), then gives the list's rows: for each Available entry a
// header row when its category differs from the previous one (ignoring case; the first previous
// category is empty text), then its file row.
std::vector<ListRow> Create_List(std::vector<FileEntry>& files);

// "Total download size : " and the summed Remote.Size of the entries whose rows are checked
// (indexes from 1, as in the keys).
std::string CheckFileSize(const std::vector<FileEntry>& files, std::span<const size_t> checked);

}  // namespace quillon
