#pragma once
// The library's helpers that need Windows: folders, files, file versions and dates, component
// registration, window and shell calls, and the failure report. The rules over their results
// (path macros, version texts, comparisons, sizes) are portable and live in the core.
// Paths are UTF-8 text; the system is called with wide text.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "iupdate/versions.h"
#include "shell/win/modFiles.h"
#include "shell/win/replace_file.h"

namespace quillon::iupdate {

enum SpecialPath : int32_t {
    SpecialAppPath = 0,   // sAppPath of LibraryState
    SpecialSystem = 1,    // the system folder
    SpecialWindows = 2,   // the Windows folder
    SpecialFonts = 3,     // the fonts folder
    SpecialTemp = 4,      // the temporary folder
    SpecialTempFile = 5,  // GetTempFile
};

// Kinds 0 to 4 end with a backslash; kind 5 is a file name. Throws QuillonError 5 for another
// kind and 75 when the system cannot name the folder or make the file; the caller reports it.
std::string GetSpecialPath(int32_t lKind);
// A new empty file "tmp<hex>.tmp" in the temporary folder, made by the system; throws 75.
std::string GetTempFile();

// The game's own: False for empty text; FileExists is False for a folder.
using win::FileExists;
using win::IsDirectory;

// True unless a file that exists could not be deleted.
bool RemoveFile(std::string_view sPath);
// RemoveFile on the destination, then the copy; False on any failure, without a report.
bool CopyFileOver(std::string_view sSource, std::string_view sDestination);
// Gives the destination the source's content in one move (installs never delete the old file
// first); false leaves both as they were.
using win::ReplaceFileAtomically;
// zLib_Decompress from the source into the destination, then the source deleted. False when
// the source is missing or the decompression failed; the source then stays.
bool DecompressFile(std::string_view sSource, std::string_view sDestination);
// Mode 0 runs the component's "DllRegisterServer", mode 1 its "DllUnregisterServer", on a
// worker thread waited for up to 10 seconds. True when the entry ran to its end in time.
bool RegisterServer(const std::string& sPath, int32_t lMode);

// The four 16-bit parts of a file's version, taken as signed numbers; composing the version
// record and its text from them is the core's rule.
struct FileVersionParts {
    int16_t iMajor;
    int16_t iMinor;
    int16_t iBuild;
    int16_t iRevision;
};
// Nothing when the file is missing or carries no version information.
std::optional<FileVersionParts> GetFileVersionParts(std::string_view sPath);
// The file's version as the library shows it ("2.01.0015" for 2.1.0.15), with the record filled
// in. Empty text, and the record left as it was, for a file that is missing or carries no
// version information. A failure is reported as "modMain::GetFileVersion" and gives empty text.
std::string GetFileVersion(std::string_view sPath, VersionRec& version);

struct FileDate {
    int32_t lYear;
    int32_t lMonth;
    int32_t lDay;
};
// The file half of IsDateNewer: the local calendar date of the file's last write, read through
// a handle opened for writing (shared for reading and writing). A file that cannot be opened
// that way (missing, read-only, locked) counts as written on 1 January 1601.
FileDate FileWriteDate(std::string_view sPath);

// Turns a framed child area flat: a static edge instead of a sunken one, no caption or
// sizing frame, and the frame redrawn in place.
void SetFlatBar(HWND hwnd);
// Opens the system's properties sheet of the file, owned by hOwner.
void GetFileProperties(std::string_view sPath, HWND hOwner);

// The library's failure report, a message box (library_report.h composes it).
void ReportError(std::string_view sProcedure, int32_t lNumber, std::string_view sDescription,
                 bool bFatal);

}  // namespace quillon::iupdate
