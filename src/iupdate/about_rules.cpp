#include "iupdate/about_rules.h"

#include "iupdate/versions.h"

namespace quillon {

std::string AboutItemKey(std::string_view sTitle) {
    std::string sKey(sTitle);
    for (char& c : sKey) {
        if (c == ' ')
            c = '_';
        else if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return sKey;
}

std::string AboutVersionLabel(int32_t lMajor, int32_t lMinor, int32_t lRev,
                              std::string_view sExtra) {
    return "Version " + AppVersionText(lMajor, lMinor, lRev, sExtra);
}

}  // namespace quillon
