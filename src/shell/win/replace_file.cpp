#include "shell/win/replace_file.h"

#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

// The copy's data reaches the disk before the rename makes it the destination; otherwise a
// crash right after the move could leave a destination of the right name and no content.
bool FlushToDisk(const std::wstring& sPath) {
    const ScopedFile file(CreateFileW(sPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.Get());
}

}  // namespace

DWORD MoveOver(const std::wstring& sSource, const std::wstring& sDestination) {
    if (MoveFileExW(sSource.c_str(), sDestination.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return ERROR_SUCCESS;
    }
    return GetLastError();
}

std::wstring SiblingTempFile(const std::wstring& sDestination) {
    const size_t slash = sDestination.find_last_of(L"\\/");
    const std::wstring sFolder =
        slash == std::wstring::npos ? std::wstring(L".") : sDestination.substr(0, slash + 1);
    wchar_t name[MAX_PATH + 1] = {};  // the size GetTempFileNameW requires
    if (GetTempFileNameW(sFolder.c_str(), L"vyx", 0, name) == 0) return {};
    return name;
}

bool ReplaceFileAtomically(std::string_view sSource, std::string_view sDestination) {
    const std::wstring wSource = Widen(sSource);
    const std::wstring wDestination = Widen(sDestination);
    const DWORD lResult = MoveOver(wSource, wDestination);
    if (lResult == ERROR_SUCCESS) return true;
    if (lResult != ERROR_NOT_SAME_DEVICE) return false;

    // A rename cannot cross volumes: the copy lands beside the destination first, so the one
    // move over it is still a rename.
    const std::wstring wSibling = SiblingTempFile(wDestination);
    if (wSibling.empty()) return false;
    if (!CopyFileW(wSource.c_str(), wSibling.c_str(), FALSE) || !FlushToDisk(wSibling) ||
        MoveOver(wSibling, wDestination) != ERROR_SUCCESS) {
        DeleteFileW(wSibling.c_str());
        return false;
    }
    DeleteFileW(wSource.c_str());
    return true;
}

}  // namespace quillon::win
