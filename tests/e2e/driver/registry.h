#pragma once
// The program's settings under HKEY_CURRENT_USER, shared with it through the Wine prefix.

#include <windows.h>

#include <optional>
#include <string>

namespace quillon::e2e {

inline constexpr wchar_t kRootKey[] = L"Software\\Freeware\\Quillon";
inline constexpr wchar_t kOptionsKey[] = L"Software\\Freeware\\Quillon\\Options";
inline constexpr wchar_t kComputerKey[] = L"Software\\Freeware\\Quillon\\Computer";

// Removes every setting, so that a scenario starts like a first run.
void ClearSettings();
void SetDword(const wchar_t* key, const wchar_t* name, DWORD value);
void SetString(const wchar_t* key, const wchar_t* name, const std::wstring& value);
std::optional<DWORD> GetDword(const wchar_t* key, const wchar_t* name);
std::optional<std::wstring> GetString(const wchar_t* key, const wchar_t* name);

}  // namespace quillon::e2e
