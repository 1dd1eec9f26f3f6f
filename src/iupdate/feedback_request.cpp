#include "iupdate/feedback_request.h"

#include "iupdate/path_macros.h"
#include "iupdate/versions.h"

namespace quillon {

namespace {

bool PassesUnencoded(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string FormEncode(std::string_view sText) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(sText.size());
    for (const char ch : sText) {
        const auto c = static_cast<unsigned char>(ch);
        if (PassesUnencoded(c)) {
            out += ch;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

std::string FeedbackRequestText(const FeedbackFields& f) {
    std::string s = "?name=" + FormEncode(f.sName);
    s += "&email=" + FormEncode(f.sEmail);
    s += "&app=" + FormEncode(f.sAppExeName);
    s += "&appver=" +
         FormEncode(AppVersionText(f.lAppMajor, f.lAppMinor, f.lAppRev, f.sVersionExtra));
    s += "&vyxdll=" + AppVersionText(kLibraryMajor, kLibraryMinor, kLibraryRevision, {});
    if (!f.sAdodbVersion.empty()) s += "&adodb: " + FormEncode(f.sAdodbVersion);
    // The system's name comes with its one space already written as "%20", as an unencoded
    // request needed it; encoded again it would reach the relay as the three characters.
    s += "&windows=" + FormEncode(ReplaceAll(f.sWindows, "%20", " "));
    s += "&feedback=" + FormEncode(f.sFeedback);
    return s;
}

}  // namespace quillon
