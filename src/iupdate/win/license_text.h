#pragma once
// The license document of the About box: an RTF text in which the product's copyright line
// takes the place of every "%Copyright%".

#include <string>
#include <string_view>

namespace quillon::iupdate {

// The document with every "%Copyright%" replaced by the copyright line as RTF text: "\", "{"
// and "}" escaped, so that a copyright line cannot break the document's groups.
std::wstring FillLicense(std::wstring_view sDocument, std::wstring_view sCopyright);

// The document as the 7-bit bytes an RTF reader takes: every character beyond ASCII written as
// "\uN?" (N the signed 16-bit code unit, "?" the fallback for readers without Unicode).
std::string RtfBytes(std::wstring_view sDocument);

}  // namespace quillon::iupdate
