#pragma once
// The text the feedback window sends to the maker's relay page as its form body.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

// The library's own version, sent as "vyxdll" (its file version is 2.1.0.0).
inline constexpr int32_t kLibraryMajor = 2;
inline constexpr int32_t kLibraryMinor = 1;
inline constexpr int32_t kLibraryRevision = 0;

// Everything the request carries; texts are UTF-8.
struct FeedbackFields {
    std::string sName;
    std::string sEmail;
    std::string sAppExeName;
    int32_t lAppMajor = 0;
    int32_t lAppMinor = 0;
    int32_t lAppRev = 0;
    std::string sVersionExtra;
    std::string sAdodbVersion;
    std::string sWindows;  // GetWindowsVer
    std::string sFeedback;
};

// One value as an application/x-www-form-urlencoded form encodes it: letters, digits and
// "-._~" pass, a space becomes "+", every other byte (UTF-8 sequences included) becomes "%XX".
std::string FormEncode(std::string_view sText);

// "?name=", "&email=", "&app=", "&appver=" (with " extra" when set), "&vyxdll=", "&adodb: "
// (only when set, a colon and no equals sign), "&windows=", "&feedback=", in that order, each
// value form-encoded so that an "&" or "=" typed by the user cannot split or rename a field.
// The bytes are the UTF-8 of the texts, which the relay page decodes as UTF-8.
std::string FeedbackRequestText(const FeedbackFields& fields);

}  // namespace quillon
