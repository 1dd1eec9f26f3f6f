#include "iupdate/win/library_report.h"

#include <utility>

#include "iupdate/library_error_report.h"
#include "shell/win/message_box_reporter.h"

namespace quillon::iupdate {

ErrorReport ComposeLibraryReport(std::string_view sProcedure, int32_t lNumber,
                                 std::string_view sDescription, bool bFatal) {
    return ComposeLibraryErrorReport(sProcedure, lNumber, sDescription, bFatal);
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
