#pragma once
// Path text helpers shared by the folder functions and the picture and profile code. Paths are
// UTF-8 with Windows separators.

#include <string>
#include <string_view>

namespace quillon {

// Only the ASCII letters change: the bytes of a UTF-8 sequence pass through untouched.
char LowerAscii(char c);
// Whether sText ends with sTail, ASCII letters compared without regard to case.
bool EndsWithNoCase(std::string_view sText, std::string_view sTail);

// The text with a trailing backslash, added only when it does not end with one already.
std::string AddBackslash(std::string_view sText);

// The path with "." and the extension appended, unless it already ends with them; the
// comparison ignores the case of ASCII letters ("Blue.BMP" with "bmp" stays "Blue.BMP").
std::string AddExtension(std::string_view sPath, std::string_view sExtension);

}  // namespace quillon
