#include "shell/win/message_box_reporter.h"

#include <utility>

#include "shell/win/text.h"

namespace quillon::win {

UINT ErrorBoxStyle(ErrorIcon eIcon) {
    return MB_OK | (eIcon == ErrorIcon::Critical ? MB_ICONSTOP : MB_ICONEXCLAMATION);
}

void ShowErrorBox(HWND hOwner, const ErrorReport& report) {
    MessageBoxW(hOwner, Widen(report.sMessage).c_str(), Widen(report.sTitle).c_str(),
                ErrorBoxStyle(report.eIcon));
}

MessageBoxReporter::MessageBoxReporter(HWND hOwner, Display display)
    : m_hOwner(hOwner), m_display(std::move(display)) {}

void MessageBoxReporter::ReportError(std::string_view sProcedure, int32_t lNumber,
                                     std::string_view sDescription, bool bFatal) {
    const ErrorReport report = ComposeErrorReport(sProcedure, lNumber, sDescription, bFatal);
    const HWND hOwner = m_hOwner ? m_hOwner : GetActiveWindow();
    if (m_display) m_display(hOwner, report);
}

}  // namespace quillon::win
