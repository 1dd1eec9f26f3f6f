#pragma once
// Failure reports as modal message boxes.

#include <windows.h>

#include <functional>

#include "shell/error_report.h"

namespace quillon::win {

// The message-box style of a report: an OK button with its icon.
UINT ErrorBoxStyle(ErrorIcon eIcon);

// The production display: MessageBoxW owned by hOwner.
void ShowErrorBox(HWND hOwner, const ErrorReport& report);

class MessageBoxReporter final : public IErrorReporter {
  public:
    // Shows what it is given; tests pass a recorder instead of the modal box.
    using Display = std::function<void(HWND hOwner, const ErrorReport& report)>;

    // A null owner means the window active at the time of the report.
    explicit MessageBoxReporter(HWND hOwner = nullptr, Display display = ShowErrorBox);

    void ReportError(std::string_view sProcedure, int32_t lNumber, std::string_view sDescription,
                     bool bFatal) override;

  private:
    HWND m_hOwner;
    Display m_display;
};

}  // namespace quillon::win
