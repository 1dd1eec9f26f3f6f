#pragma once
// The publisher's manifest: which built files an update offers and how the wizard shows and
// installs them. The format is described in tools/publish/README.md.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "iupdate/versions.h"

namespace quillon::publish {

// A manifest, folder or key the publisher cannot use; the text says where and why.
class PublishError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ManifestFile {
    std::string sSource;         // the file's name in the input folder (its section's name)
    std::string sName;           // NAME: the row's caption in the wizard
    std::string sLocalPath;      // LOCAL PATH: a macro folder, perhaps with folders below it
    std::string sLocalFileName;  // LOCAL FILENAME: sSource unless the manifest names another
    std::string sCategory = "Component";
    std::string sIcon;  // ICON: a key of the wizard's image set, from the extension by default
    bool bDownload = false;
    bool bHidden = false;
    bool bDiffered = false;
    bool bRegister = false;
    bool bRestart = false;
    std::optional<VersionRec> version;  // instead of the file's version resource
    std::optional<DateRec> date;        // instead of the file's last-write date
};

struct Manifest {
    std::string sUrl;      // the product's web page
    std::string sBaseUrl;  // where the files are served from
    // The product's version: "a.b.c", or the name of a file of the folder whose version
    // resource gives it (major, minor and the third part, as the game reports its own).
    std::string sProductVersion;
    std::vector<ManifestFile> files;
};

// Throws PublishError naming the line for anything the descriptor could not carry or the
// wizard could not install.
Manifest ParseManifest(std::string_view sText);

// "a.b.c" as a version; nothing when the text is not three decimal numbers.
std::optional<VersionRec> ParseVersion(std::string_view sText);

}  // namespace quillon::publish
