#include "shell/win/program_version.h"

#include <windows.h>

#include <vector>

#include "shell/win/text.h"

namespace quillon::win {

namespace {

std::wstring OwnPath() {
    std::wstring sPath(MAX_PATH, L'\0');
    for (;;) {
        const DWORD lLength =
            GetModuleFileNameW(nullptr, sPath.data(), static_cast<DWORD>(sPath.size()));
        if (lLength < sPath.size()) {
            sPath.resize(lLength);
            return sPath;
        }
        sPath.resize(sPath.size() * 2);
    }
}

std::string StringValue(const std::vector<BYTE>& block, const wchar_t* szName) {
    // The first translation the block lists names the table to read.
    struct Translation {
        WORD wLanguage;
        WORD wCodePage;
    };
    Translation* pTranslation = nullptr;
    UINT lSize = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&pTranslation), &lSize) ||
        lSize < sizeof(Translation))
        return {};
    wchar_t szKey[64];
    wsprintfW(szKey, L"\\StringFileInfo\\%04x%04x\\%s", pTranslation->wLanguage,
              pTranslation->wCodePage, szName);
    wchar_t* pValue = nullptr;
    if (!VerQueryValueW(block.data(), szKey, reinterpret_cast<void**>(&pValue), &lSize) ||
        lSize == 0)
        return {};
    return Narrow(std::wstring(pValue, wcsnlen(pValue, lSize)));
}

}  // namespace

ProgramVersion ReadProgramVersion(const std::wstring& sPath) {
    const std::wstring sFile = sPath.empty() ? OwnPath() : sPath;
    ProgramVersion version;
    DWORD lHandle = 0;
    const DWORD lSize = GetFileVersionInfoSizeW(sFile.c_str(), &lHandle);
    if (lSize == 0) return version;
    std::vector<BYTE> block(lSize);
    if (!GetFileVersionInfoW(sFile.c_str(), 0, lSize, block.data())) return version;
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT lFixedSize = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&pFixed), &lFixedSize) &&
        lFixedSize >= sizeof(VS_FIXEDFILEINFO)) {
        version.lMajor = HIWORD(pFixed->dwFileVersionMS);
        version.lMinor = LOWORD(pFixed->dwFileVersionMS);
        version.lRevision = HIWORD(pFixed->dwFileVersionLS);
    }
    version.sTitle = StringValue(block, L"FileDescription");
    version.sCopyright = StringValue(block, L"LegalCopyright");
    version.sProductName = StringValue(block, L"ProductName");
    return version;
}

}  // namespace quillon::win
