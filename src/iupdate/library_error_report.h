#pragma once
// The update library's own form of a failure report. It differs from the game's: the procedure
// is shown in braces, the lower-case "Fatal error !", 429 keeps the caller's fatal flag, and a
// report that is not fatal is titled "Error".

#include <cstdint>
#include <string_view>

#include "shell/error_report.h"

namespace quillon {

ErrorReport ComposeLibraryErrorReport(std::string_view sProcedure, int32_t lNumber,
                                      std::string_view sDescription, bool bFatal);

}  // namespace quillon
