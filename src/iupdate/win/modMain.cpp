#include "iupdate/win/modMain.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "iupdate/win/library_report.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/modzLib.h"
#include "shell/error_report.h"
#include "shell/paths.h"
#include "shell/win/register_server.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::iupdate {

namespace {

constexpr FileDate kNoFileDate{1601, 1, 1};

struct ItemIdListTraits {
    using Handle = PIDLIST_ABSOLUTE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CoTaskMemFree(h); }
};

[[noreturn]] void ThrowNoFolder(const char* szWhat) {
    throw QuillonError(ErrPathFileAccess, std::string("The system could not name ") + szWhat);
}

std::string Checked(std::string sPath, const char* szWhat) {
    if (sPath.empty()) ThrowNoFolder(szWhat);
    return sPath;
}

std::string WindowsFolder() {
    wchar_t buf[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryW(buf, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) ThrowNoFolder("the Windows folder");
    return AddBackslash(win::Narrow(std::wstring_view(buf, n)));
}

std::string FontsFolder() {
    win::Scoped<ItemIdListTraits> items;
    wchar_t buf[512] = {};
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_FONTS, items.Out())) ||
        !SHGetPathFromIDListW(items.Get(), buf) || buf[0] == L'\0') {
        ThrowNoFolder("the fonts folder");
    }
    return AddBackslash(win::Narrow(buf));
}

}  // namespace

std::string GetSpecialPath(int32_t lKind) {
    switch (lKind) {
        case SpecialAppPath:
            return AddBackslash(State().sAppPath);
        case SpecialSystem:
            return Checked(win::GetPath(win::PathSystem), "the system folder");
        case SpecialWindows:
            return WindowsFolder();
        case SpecialFonts:
            return FontsFolder();
        case SpecialTemp:
            return Checked(win::GetPath(win::PathTemp), "the temporary folder");
        case SpecialTempFile:
            return GetTempFile();
        default:
            throw QuillonError(ErrInvalidCall, "Invalid procedure call or argument");
    }
}

std::string GetTempFile() { return Checked(win::GetPath(win::PathTempFile), "a temporary file"); }

bool RemoveFile(std::string_view sPath) {
    return !FileExists(sPath) || DeleteFileW(win::Widen(sPath).c_str()) != FALSE;
}

bool CopyFileOver(std::string_view sSource, std::string_view sDestination) {
    RemoveFile(sDestination);
    return CopyFileW(win::Widen(sSource).c_str(), win::Widen(sDestination).c_str(), FALSE) != FALSE;
}

bool DecompressFile(std::string_view sSource, std::string_view sDestination) {
    // Decompression writes beside the destination and moves the result over it, so no copy
    // through the temporary folder is needed.
    if (!FileExists(sSource) || !zLib_Decompress(sSource, sDestination)) return false;
    RemoveFile(sSource);
    return true;
}

bool RegisterServer(const std::string& sPath, int32_t lMode) {
    switch (lMode) {
        case 0:
            return win::RunServerEntry(sPath, "DllRegisterServer");
        case 1:
            return win::RunServerEntry(sPath, "DllUnregisterServer");
        default:
            return false;
    }
}

std::optional<FileVersionParts> GetFileVersionParts(std::string_view sPath) {
    const std::wstring wPath = win::Widen(sPath);
    DWORD ignored = 0;
    const DWORD lSize = GetFileVersionInfoSizeW(wPath.c_str(), &ignored);
    if (lSize == 0) return std::nullopt;
    std::vector<BYTE> data(lSize);
    if (!GetFileVersionInfoW(wPath.c_str(), 0, lSize, data.data())) return std::nullopt;
    void* pFixed = nullptr;
    UINT lFixed = 0;
    if (!VerQueryValueW(data.data(), L"\\", &pFixed, &lFixed) ||
        lFixed < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(pFixed);
    return FileVersionParts{static_cast<int16_t>(HIWORD(fixed->dwFileVersionMS)),
                            static_cast<int16_t>(LOWORD(fixed->dwFileVersionMS)),
                            static_cast<int16_t>(HIWORD(fixed->dwFileVersionLS)),
                            static_cast<int16_t>(LOWORD(fixed->dwFileVersionLS))};
}

std::string GetFileVersion(std::string_view sPath, VersionRec& version) {
    std::string sText;
    Handled(Reporter(), "modMain", "GetFileVersion", true, [&] {
        const std::optional<FileVersionParts> parts = GetFileVersionParts(sPath);
        if (!parts) return;
        const FileVersion composed =
            ComposeFileVersion(parts->iMajor, parts->iMinor, parts->iBuild, parts->iRevision);
        version = composed.version;
        sText = composed.sText;
    });
    return sText;
}

FileDate FileWriteDate(std::string_view sPath) {
    // Opened for writing on purpose: a file in use or read-only must count as old, so that an
    // update replaces it (through the updater when it is in use).
    const win::ScopedFile file(CreateFileW(win::Widen(sPath).c_str(), GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME written{};
    FILETIME local{};
    SYSTEMTIME date{};
    if (!file || !GetFileTime(file.Get(), nullptr, nullptr, &written) ||
        !FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &date)) {
        return kNoFileDate;
    }
    return {date.wYear, date.wMonth, date.wDay};
}

void SetFlatBar(HWND hwnd) {
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, (exStyle & ~WS_EX_CLIENTEDGE) | WS_EX_STATICEDGE);
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    SetWindowLongPtrW(hwnd, GWL_STYLE, style & ~(WS_CAPTION | WS_THICKFRAME));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void GetFileProperties(std::string_view sPath, HWND hOwner) {
    const std::wstring wPath = win::Widen(sPath);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = hOwner;
    info.lpVerb = L"properties";
    info.lpFile = wPath.c_str();
    info.lpParameters = L"";
    info.lpDirectory = L"";
    info.nShow = SW_HIDE;
    ShellExecuteExW(&info);
    // Asked for by the flags above; the sheet needs no process handle, so it is closed.
    const win::ScopedHandle process(info.hProcess);
}

void ReportError(std::string_view sProcedure, int32_t lNumber, std::string_view sDescription,
                 bool bFatal) {
    Reporter().ReportError(sProcedure, lNumber, sDescription, bFatal);
}

}  // namespace quillon::iupdate
