#include "iupdate/library_error_report.h"

#include <string>

namespace quillon {

ErrorReport ComposeLibraryErrorReport(std::string_view sProcedure, int32_t lNumber,
                                      std::string_view sDescription, bool bFatal) {
    std::string sMessage;
    bool bDetail = false;
    if (lNumber == ErrNotInIde) {
        sMessage = "This feature doesn't run in IDE.";
    } else if (lNumber == ErrCannotCreateObject) {
        sMessage = "ActiveX object couldn't be created. Consider reinstalling application.";
    } else {
        sMessage = "Module {" + std::string(sProcedure) + "}\r\n" + std::string(sDescription);
        bDetail = true;
    }
    if (bFatal) {
        if (bDetail) sMessage = "Fatal error !\r\n" + sMessage;
        return {ErrorNumberTitle(lNumber), sMessage, ErrorIcon::Critical};
    }
    if (bDetail) sMessage = "Error !\r\n" + sMessage;
    return {"Error", sMessage, ErrorIcon::Exclamation};
}

}  // namespace quillon
