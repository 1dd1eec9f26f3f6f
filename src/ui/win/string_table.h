#pragma once
// Texts of a module's string table, and the message boxes made of them.

#include <windows.h>

#include <initializer_list>
#include <string>

namespace quillon::win {

// Entry lId of hInstance's string table; empty when there is none.
std::wstring LoadText(HINSTANCE hInstance, UINT lId);
std::string LoadTextUtf8(HINSTANCE hInstance, UINT lId);

// sText with each "%1" ... "%9" replaced by that value of the list, in one pass, so that a
// value holding a "%2" of its own stays as it is. A mark without a value is kept.
std::wstring FillInserts(std::wstring_view sText, std::initializer_list<std::wstring> values);

// A message box owned by hOwner with the text and title of two string table entries; the
// answer as MessageBox gives it.
int ShowMessage(HWND hOwner, HINSTANCE hInstance, UINT lTextId, UINT lTitleId, UINT uType);

}  // namespace quillon::win
