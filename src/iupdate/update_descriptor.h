#pragma once
// The update descriptor the maker publishes, and its reader. The reader is deliberately not an XML
// parser: it keeps the quirks of the format as published descriptors rely on them (whole lines
// ended by CR, tabs deleted, a path of open block tags kept as one text, values recognised only
// at known paths, the closing tag of a value checked by its length alone).
//
// Texts are kept as the descriptor's bytes. The descriptor is written in the system's ANSI code
// page; the Windows side converts it to UTF-8 (after checking its signature, which covers the
// bytes as downloaded) before handing it to File_Read, so that paths meet the folders in one
// encoding.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "iupdate/versions.h"
#include "shell/error_report.h"

namespace quillon {

// A descriptor is a few kilobytes; the cap keeps a hostile or broken answer from holding the
// library's memory. 256 FILE blocks are far more than a full installation has files, and keep
// the wizard's quadratic sort and its list small.
inline constexpr size_t kMaxDescriptorBytes = 1024 * 1024;
inline constexpr size_t kMaxFileBlocks = 256;

struct FileLocation {
    std::string Path;
    std::string FileName;
    int32_t Size = 0;  // REMOTE: the compressed file's byte count, shown and summed by the wizard
    DateRec Date;      // read for REMOTE only
};

// Whether the REMOTE block carried the compressed file's SHA-256 as exactly 64 hex digits.
enum class Sha256State { Missing, Valid, Malformed };

struct FileEntry {
    // The wizard's working state; never read from the descriptor.
    bool Selected = false;
    bool Available = false;
    bool Downloaded = false;
    bool DownloadFailed = false;
    std::string TempFile;
    // The FILE block.
    std::string Name;
    bool Register = false;
    bool Download = false;  // mandatory: its row cannot be unchecked
    bool Hidden = false;
    bool Differed = false;  // written as ".new" and put in place by the updater program
    bool Restart = false;
    std::string Icon;
    std::string Category = "Component";
    VersionRec Version;
    FileLocation Local;
    FileLocation Remote;
    Sha256State eSha256 = Sha256State::Missing;
    std::array<uint8_t, 32> Sha256{};
};

struct UpdateInfo {
    std::string Url;
    std::string BaseUrl;  // ends in "/" once a BASEURL line was read; empty when none was
    DateRec Date;         // the publication date; nothing depends on it
    VersionRec Version;
    std::vector<FileEntry> Files;  // in the order of the FILE blocks; keys count from 1
};

// Cuts the value out of a value line: when the line is longer than sTag and begins with it, the
// tag and then as many characters as its closing tag has (sTag's length + 1) are taken off, the
// rest is stored back and the result is true. The closing tag's text is not checked. Otherwise
// false, the line unchanged. A line that begins with the tag but is too short to hold the closing
// tag throws QuillonError 5.
bool StripXml(std::string& sLine, std::string_view sTag);

// Reads a descriptor. A StripXml failure is reported (as "frmInternetUpdate::StripXml") and the
// line is matched against the next tag. Anything that ends the reading throws QuillonError: more
// than kMaxDescriptorBytes or kMaxFileBlocks (6), a number that is not a decimal integer or a flag
// that is not a number (13), a number beyond 32 bits (6), a closing tag that would cut more than
// the open path (5). Numbers may have spaces around them and a sign; flags are any decimal number
// ("1", "1.0", "1e0" are true).
UpdateInfo File_Read(std::string_view sDescriptor, IErrorReporter& reporter);

}  // namespace quillon
