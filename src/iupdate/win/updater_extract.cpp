#include "iupdate/win/updater_extract.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "iupdate/win/library_report.h"
#include "iupdate/win/modMain.h"
#include "iupdate/win/module.h"
#include "shell/error_report.h"
#include "shell/win/resource_bytes.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::iupdate {

namespace {

constexpr std::wstring_view kCopySuffix = L".tmp.exe";

bool EndsWithNoCase(const std::wstring& sText, std::wstring_view sEnd) {
    return sText.size() >= sEnd.size() &&
           CompareStringOrdinal(sText.c_str() + sText.size() - sEnd.size(),
                                static_cast<int>(sEnd.size()), sEnd.data(),
                                static_cast<int>(sEnd.size()), TRUE) == CSTR_EQUAL;
}

bool IsEmptyFile(const std::wstring& sPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(sPath.c_str(), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.nFileSizeHigh == 0 &&
           data.nFileSizeLow == 0;
}

struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

void DeleteStaleCopies() {
    const std::wstring sFolder = win::Widen(GetSpecialPath(SpecialTemp));
    WIN32_FIND_DATAW found{};
    const win::Scoped<FindTraits> search(
        FindFirstFileW((sFolder + L"tmp*" + std::wstring(kCopySuffix)).c_str(), &found));
    if (!search) return;
    do {
        // The pattern also matches short names: only our own long names are taken.
        const std::wstring sName = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ||
            !EndsWithNoCase(sName, kCopySuffix)) {
            continue;
        }
        // A copy still running cannot be deleted and is skipped. A deleted one takes the empty
        // file that reserved its name along, so that the temporary folder does not fill up.
        if (!DeleteFileW((sFolder + sName).c_str())) continue;
        const std::wstring sReserved = sFolder + sName.substr(0, sName.size() - 4);
        if (IsEmptyFile(sReserved)) DeleteFileW(sReserved.c_str());
    } while (FindNextFileW(search.Get(), &found));
}

}  // namespace

bool CreateFileFromResource(std::string_view sPath) {
    return Handled(Reporter(), "clsUpdate", "CreateFileFromResource", true, [&] {
        const std::vector<uint8_t> bytes = win::ResourceBytes(Module(), L"UPDATER", L"VYX");
        if (bytes.empty()) {
            throw QuillonError(ErrPathFileAccess,
                               "The updater program is missing from " + win::Narrow(ModulePath()));
        }
        const win::ScopedFile file(CreateFileW(win::Widen(sPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD lWritten = 0;
        if (!file ||
            !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &lWritten,
                       nullptr) ||
            lWritten != bytes.size()) {
            throw QuillonError(ErrPathFileAccess,
                               "Cannot write " + std::string(sPath) + ": Path/File access error");
        }
    });
}

std::string ExtractUpdater() {
    std::string sPath;
    Handled(Reporter(), "clsUpdate", "Class_Initialize", true, [&] {
        DeleteStaleCopies();
        // The empty file GetTempFile makes keeps the name reserved while the copy exists.
        const std::string sCopy = GetTempFile() + ".exe";
        if (CreateFileFromResource(sCopy)) sPath = sCopy;
    });
    return sPath;
}

}  // namespace quillon::iupdate
