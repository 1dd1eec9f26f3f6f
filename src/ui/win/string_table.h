#pragma once
// Texts of a module's string table, and the message boxes made of them.

#include <windows.h>

#include <string>

namespace quillon::win {

// Entry lId of hInstance's string table; empty when there is none.
std::wstring LoadText(HINSTANCE hInstance, UINT lId);
std::string LoadTextUtf8(HINSTANCE hInstance, UINT lId);

// A message box owned by hOwner with the text and title of two string table entries; the
// answer as MessageBox gives it.
int ShowMessage(HWND hOwner, HINSTANCE hInstance, UINT lTextId, UINT lTitleId, UINT uType);

}  // namespace quillon::win
