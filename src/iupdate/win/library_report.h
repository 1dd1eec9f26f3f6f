#pragma once
// The library's own failure report. It shares the game's report record and message box, but
// not its wording: the library names the procedure in braces, words the fatal prefix
// differently and titles a non-fatal report plainly "Error". The portable core composes it
// (iupdate/library_error_report.h, tested natively); this is its message box.

#include <windows.h>

#include <functional>

#include "shell/error_report.h"

namespace quillon::iupdate {

ErrorReport ComposeLibraryReport(std::string_view sProcedure, int32_t lNumber,
                                 std::string_view sDescription, bool bFatal);

class LibraryReporter final : public IErrorReporter {
  public:
    using Display = std::function<void(HWND hOwner, const ErrorReport& report)>;

    void ReportError(std::string_view sProcedure, int32_t lNumber, std::string_view sDescription,
                     bool bFatal) override;
    // Tests put a recorder in place of the modal box; the previous display comes back.
    Display SetDisplay(Display display);

  private:
    Display m_display;  // empty: the message box
};

// The one reporter of the library, process-wide like LibraryState.
LibraryReporter& Reporter();

}  // namespace quillon::iupdate
