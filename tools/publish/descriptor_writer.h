#pragma once
// The update descriptor's text, exactly as the library's reader accepts it: one tag or value a
// line, lines ended by CR LF, indentation by tabs only, upper-case tags.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "iupdate/versions.h"
#include "manifest.h"

namespace quillon::publish {

// One FILE block: the manifest's entry and what publishing found out about the file.
struct PublishedFile {
    ManifestFile entry;
    VersionRec version;  // all 0 for a file without version
    DateRec date;        // REMOTE DATE: the day the file was built
    int32_t lLocalSize;  // LOCAL SIZE: the file's own size
    std::string sRemotePath;
    std::string sRemoteFileName;
    int32_t lRemoteSize;  // REMOTE SIZE: the compressed file's size, what is downloaded
    std::string sSha256;  // of the compressed file
};

struct DescriptorContent {
    std::string sUrl;
    std::string sBaseUrl;
    DateRec published;
    VersionRec productVersion;
    std::vector<PublishedFile> files;
};

// Everything up to and including the line "</UPDATE>": the bytes the signature covers.
std::string DescriptorText(const DescriptorContent& content);

// The line that follows them: "<SIGNATURE>", the base64 of r then s, "</SIGNATURE>", CR LF.
std::string SignatureLine(const std::array<uint8_t, 64>& signature);

}  // namespace quillon::publish
