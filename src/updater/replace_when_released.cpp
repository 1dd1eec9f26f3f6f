#include "updater/replace_when_released.h"

#include <cwctype>

#include "shell/win/replace_file.h"

namespace quillon::updater {

namespace {

bool IsExistingFile(const std::wstring& sPath) {
    const DWORD attributes = GetFileAttributesW(sPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

ReplaceOutcome ReplaceWhenReleased(const std::wstring& sTarget) {
    const std::wstring sNew = sTarget + L".new";
    const ULONGLONG lStart = GetTickCount64();
    for (;;) {
        // Checked on every round: another updater for the same target may have moved it.
        if (!IsExistingFile(sNew)) return ReplaceOutcome::NothingToDo;
        if (win::MoveOver(sNew, sTarget) == ERROR_SUCCESS) return ReplaceOutcome::Replaced;
        if (GetTickCount64() - lStart >= kGiveUpAfterMs) return ReplaceOutcome::GaveUp;
        Sleep(kRetryPauseMs);
    }
}

bool IsComponentFile(const std::wstring& sTarget) {
    if (sTarget.size() < 4) return false;
    std::wstring sEnd = sTarget.substr(sTarget.size() - 4);
    for (wchar_t& c : sEnd) c = static_cast<wchar_t>(std::towupper(c));
    return sEnd == L".DLL" || sEnd == L".OCX";
}

}  // namespace quillon::updater
