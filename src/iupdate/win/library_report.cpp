#include "iupdate/win/library_report.h"

#include <cstdio>
#include <utility>

#include "shell/win/message_box_reporter.h"

namespace quillon::iupdate {

ErrorReport ComposeLibraryReport(std::string_view sProcedure, int32_t lNumber,
                                 std::string_view sDescription, bool bFatal) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(lNumber));
    const std::string sNumbered = std::string("Error n\xC2\xB0 &H") + hex;

    std::string sMessage;
    bool bDetail = true;
    if (lNumber == ErrNotInIde) {
        sMessage = "This feature doesn't run in IDE.";
        bDetail = false;
    } else if (lNumber == ErrCannotCreateObject) {
        sMessage = "ActiveX object couldn't be created. Consider reinstalling application.";
        bDetail = false;
    } else {
        sMessage = "Module {" + std::string(sProcedure) + "}\r\n" + std::string(sDescription);
    }
    if (bFatal) {
        return {sNumbered, (bDetail ? "Fatal error !\r\n" : "") + sMessage, ErrorIcon::Critical};
    }
    return {"Error", (bDetail ? "Error !\r\n" : "") + sMessage, ErrorIcon::Exclamation};
}

void LibraryReporter::ReportError(std::string_view sProcedure, int32_t lNumber,
                                  std::string_view sDescription, bool bFatal) {
    const ErrorReport report = ComposeLibraryReport(sProcedure, lNumber, sDescription, bFatal);
    // Like the game's reports, owned by whatever window of the caller is active.
    const HWND hOwner = GetActiveWindow();
    if (m_display) {
        m_display(hOwner, report);
    } else {
        win::ShowErrorBox(hOwner, report);
    }
}

LibraryReporter::Display LibraryReporter::SetDisplay(Display display) {
    return std::exchange(m_display, std::move(display));
}

LibraryReporter& Reporter() {
    static LibraryReporter reporter;
    return reporter;
}

}  // namespace quillon::iupdate
