#include "manifest.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <sstream>

namespace quillon::publish {

namespace {

// The keys of the wizard's image set.
constexpr std::array<std::string_view, 12> kIcons = {"IMG", "OCX", "HLP", "CHM",  "TTF",  "DLL",
                                                     "EXE", "PIC", "AVI", "BOOK", "FILE", "NEWS"};
// The folders an installed file may go to; the library refuses any other destination.
constexpr std::array<std::string_view, 4> kMacroFolders = {"$(APP_PATH)", "$(SYS_PATH)",
                                                           "$(FONT_PATH)", "$(TEMP_PATH)"};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

std::string Lower(std::string_view s) {
    std::string result(s);
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::string Upper(std::string_view s) {
    std::string result(s);
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

class LineError {
  public:
    explicit LineError(size_t lLine) : m_lLine(lLine) {}
    [[noreturn]] void operator()(const std::string& sWhy) const {
        throw PublishError("manifest line " + std::to_string(m_lLine) + ": " + sWhy);
    }

  private:
    size_t m_lLine;
};

// A value goes into one line of the descriptor, in the system's ANSI code page: printable ASCII
// only, and no "<" or ">" that would read as a tag.
void CheckValue(std::string_view sValue, const LineError& fail) {
    for (const char c : sValue) {
        if (c < 0x20 || c > 0x7E) fail("only printable ASCII can be published");
        if (c == '<' || c == '>') fail("\"<\" and \">\" would be read as a tag");
    }
}

std::string DefaultIcon(std::string_view sFile) {
    const size_t dot = sFile.rfind('.');
    const std::string sExtension = dot == std::string_view::npos ? "" : Lower(sFile.substr(dot));
    if (sExtension == ".exe") return "EXE";
    if (sExtension == ".dll") return "DLL";
    if (sExtension == ".ocx") return "OCX";
    if (sExtension == ".chm") return "CHM";
    if (sExtension == ".hlp") return "HLP";
    if (sExtension == ".ttf") return "TTF";
    if (sExtension == ".avi") return "AVI";
    if (sExtension == ".jpg" || sExtension == ".bmp" || sExtension == ".gif") return "PIC";
    return "FILE";
}

void CheckLocalPath(std::string_view sPath, const LineError& fail) {
    const auto macro = std::find_if(kMacroFolders.begin(), kMacroFolders.end(),
                                    [&](std::string_view m) { return sPath.starts_with(m); });
    if (macro == kMacroFolders.end()) {
        fail("path must begin with $(APP_PATH), $(SYS_PATH), $(FONT_PATH) or $(TEMP_PATH)");
    }
    std::string_view rest = sPath.substr(macro->size());
    if (rest.find("$(") != std::string_view::npos) fail("path may hold one macro, at its start");
    while (!rest.empty()) {
        const size_t slash = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, slash);
        if (part == "..") fail("path may not leave its folder with \"..\"");
        if (part.find(':') != std::string_view::npos) fail("path may not name a drive or a stream");
        if (slash == std::string_view::npos) break;
        rest.remove_prefix(slash + 1);
    }
}

void CheckFileName(std::string_view sName, const LineError& fail) {
    if (sName.empty() || sName.find_first_of("\\/:*?\"|") != std::string_view::npos ||
        sName == "." || sName == "..") {
        fail("\"" + std::string(sName) + "\" is not a plain file name");
    }
}

std::optional<int32_t> ParseNumber(std::string_view sText) {
    int32_t lValue = 0;
    const auto [ptr, ec] = std::from_chars(sText.data(), sText.data() + sText.size(), lValue);
    if (ec != std::errc() || ptr != sText.data() + sText.size() || lValue < 0) return std::nullopt;
    return lValue;
}

std::optional<DateRec> ParseDate(std::string_view sText) {
    // year-month-day
    const size_t first = sText.find('-');
    const size_t second = sText.find('-', first == std::string_view::npos ? first : first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const auto lYear = ParseNumber(sText.substr(0, first));
    const auto lMonth = ParseNumber(sText.substr(first + 1, second - first - 1));
    const auto lDay = ParseNumber(sText.substr(second + 1));
    if (!lYear || !lMonth || !lDay || *lMonth < 1 || *lMonth > 12 || *lDay < 1 || *lDay > 31) {
        return std::nullopt;
    }
    return DateRec{*lDay, *lMonth, *lYear};
}

void SetFlags(ManifestFile& file, std::string_view sValue, const LineError& fail) {
    std::istringstream words{std::string(sValue)};
    std::string sWord;
    while (words >> sWord) {
        const std::string sFlag = Lower(sWord);
        if (sFlag == "download") {
            file.bDownload = true;
        } else if (sFlag == "hidden") {
            file.bHidden = true;
        } else if (sFlag == "differed") {
            file.bDiffered = true;
        } else if (sFlag == "register") {
            file.bRegister = true;
        } else if (sFlag == "restart") {
            file.bRestart = true;
        } else {
            fail("unknown flag \"" + sWord + "\"");
        }
    }
}

void SetFileKey(ManifestFile& file, const std::string& sKey, std::string_view sValue,
                const LineError& fail) {
    if (sKey == "name") {
        file.sName = sValue;
    } else if (sKey == "path") {
        CheckLocalPath(sValue, fail);
        // The library puts the file name right after the path: a folder below a macro needs
        // its backslash (a macro brings its own).
        file.sLocalPath = sValue;
        if (!file.sLocalPath.ends_with('\\') && !file.sLocalPath.ends_with('/') &&
            !file.sLocalPath.ends_with(')')) {
            file.sLocalPath += '\\';
        }
    } else if (sKey == "filename") {
        if (sValue != "$(APP_EXENAME)") CheckFileName(sValue, fail);
        file.sLocalFileName = sValue;
    } else if (sKey == "category") {
        file.sCategory = sValue;
    } else if (sKey == "icon") {
        file.sIcon = Upper(sValue);
        if (std::find(kIcons.begin(), kIcons.end(), file.sIcon) == kIcons.end()) {
            fail("unknown icon \"" + std::string(sValue) + "\"");
        }
    } else if (sKey == "flags") {
        SetFlags(file, sValue, fail);
    } else if (sKey == "version") {
        file.version = ParseVersion(sValue);
        if (!file.version) fail("version must read a.b.c");
    } else if (sKey == "date") {
        file.date = ParseDate(sValue);
        if (!file.date) fail("date must read year-month-day");
    } else {
        fail("unknown key \"" + sKey + "\" in a file section");
    }
}

void SetTopKey(Manifest& manifest, const std::string& sKey, std::string_view sValue,
               const LineError& fail) {
    if (sKey == "url") {
        manifest.sUrl = sValue;
    } else if (sKey == "baseurl") {
        manifest.sBaseUrl = sValue;
    } else if (sKey == "product_version") {
        manifest.sProductVersion = sValue;
    } else {
        fail("unknown key \"" + sKey + "\" before the first file section");
    }
}

}  // namespace

std::optional<VersionRec> ParseVersion(std::string_view sText) {
    const size_t first = sText.find('.');
    const size_t second = sText.find('.', first == std::string_view::npos ? first : first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const auto lMajor = ParseNumber(sText.substr(0, first));
    const auto lMinor = ParseNumber(sText.substr(first + 1, second - first - 1));
    const auto lRelease = ParseNumber(sText.substr(second + 1));
    if (!lMajor || !lMinor || !lRelease) return std::nullopt;
    return VersionRec{*lMajor, *lMinor, *lRelease};
}

Manifest ParseManifest(std::string_view sText) {
    Manifest manifest;
    size_t lLine = 0;
    while (!sText.empty()) {
        ++lLine;
        const size_t end = sText.find('\n');
        std::string_view line = sText.substr(0, end);
        sText.remove_prefix(end == std::string_view::npos ? sText.size() : end + 1);
        if (const size_t hash = line.find('#'); hash != std::string_view::npos) {
            line = line.substr(0, hash);
        }
        line = Trim(line);
        if (line.empty()) continue;
        const LineError fail(lLine);

        if (line.front() == '[') {
            if (line.back() != ']') fail("a section reads [file name]");
            const std::string_view sSource = Trim(line.substr(1, line.size() - 2));
            CheckFileName(sSource, fail);
            CheckValue(sSource, fail);
            for (const ManifestFile& other : manifest.files) {
                if (Lower(other.sSource) == Lower(sSource))
                    fail("a second section for " + other.sSource);
            }
            ManifestFile& file = manifest.files.emplace_back();
            file.sSource = sSource;
            file.sLocalFileName = sSource;
            file.sIcon = DefaultIcon(sSource);
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) fail("expected key = value");
        const std::string sKey = Lower(Trim(line.substr(0, equals)));
        const std::string_view sValue = Trim(line.substr(equals + 1));
        CheckValue(sValue, fail);
        if (manifest.files.empty()) {
            SetTopKey(manifest, sKey, sValue, fail);
        } else {
            SetFileKey(manifest.files.back(), sKey, sValue, fail);
        }
    }

    if (manifest.sUrl.empty() || manifest.sBaseUrl.empty() || manifest.sProductVersion.empty()) {
        throw PublishError("manifest: url, baseurl and product_version are required");
    }
    for (const ManifestFile& file : manifest.files) {
        if (file.sName.empty() || file.sLocalPath.empty()) {
            throw PublishError("manifest: [" + file.sSource + "] needs a name and a path");
        }
    }
    return manifest;
}

}  // namespace quillon::publish
