#pragma once
// Replacing a file in one step, so that its readers see the old content or the new, never a
// missing file or a half-written one: the update library's installs and VyxUpdater share it.

#include <windows.h>

#include <string>
#include <string_view>

namespace quillon::win {

// MoveFileExW of sSource over sDestination, replacing it and waiting until the move is on the
// disk. ERROR_SUCCESS, or the system's reason (a sharing violation while another process holds
// the destination without FILE_SHARE_DELETE, access denied for a running program's image).
DWORD MoveOver(const std::wstring& sSource, const std::wstring& sDestination);

// A new, empty file beside sDestination (same folder, so a rename moves it over the
// destination); empty text when the folder cannot take one.
std::wstring SiblingTempFile(const std::wstring& sDestination);

// Gives sDestination the content of sSource in one move. A source on another volume is first
// copied beside the destination. True when the destination holds the source's content, and the
// source is gone; false leaves the destination as it was and the source in place.
bool ReplaceFileAtomically(std::string_view sSource, std::string_view sDestination);

}  // namespace quillon::win
