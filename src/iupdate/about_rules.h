#pragma once
// The About box's texts that do not depend on the window.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

// The key of a components row: the title with every space replaced by "_", in upper case
// (ASCII letters only; other characters pass unchanged).
std::string AboutItemKey(std::string_view sTitle);

// "Version a.b.c", then a space and the extra text when there is one.
std::string AboutVersionLabel(int32_t lMajor, int32_t lMinor, int32_t lRev,
                              std::string_view sExtra);

}  // namespace quillon
