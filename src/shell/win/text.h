#pragma once
// The core keeps text in UTF-8; Windows wants UTF-16, and the registry's strings are stored in
// the ANSI code page.

#include <string>
#include <string_view>

namespace quillon::win {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// UTF-8 to and from the system's ANSI code page.
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

// The system's description of a failure number (HRESULT or Win32 error) without its line end;
// empty when the system has none.
std::string SystemMessage(unsigned long lError);
// A failure number as eight hexadecimal digits, as reports show HRESULTs.
std::string HexCode(long lCode);
// SystemMessage, or "error 0x..." when the system has no text for the number.
std::string FailureText(unsigned long lError);

}  // namespace quillon::win
