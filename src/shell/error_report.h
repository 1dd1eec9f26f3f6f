#pragma once
// A failure carries a number and a description, as the rest of the program reports them.
// Procedures that handle their own failures catch it (or any std::exception) and hand it to
// the error reporter together with "module::procedure".

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace quillon {

// Failure numbers used by the core. The texts of 373, 429, 10048 and 40006 are fixed by the
// report itself; the others come with their own description.
enum ErrorNumber : int32_t {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrSubscriptOutOfRange = 9,
    ErrTypeMismatch = 13,
    ErrBadFileName = 52,
    ErrInputPastEnd = 62,
    ErrPathFileAccess = 75,
    ErrNotInIde = 373,
    ErrCannotCreateObject = 429,
    ErrAddressInUse = 10048,
    ErrConnectionLost = 40006,
};

class QuillonError : public std::runtime_error {
  public:
    QuillonError(int32_t number, const std::string& description)
        : std::runtime_error(description), m_lNumber(number) {}
    int32_t Number() const noexcept { return m_lNumber; }

  private:
    int32_t m_lNumber;
};

enum class ErrorIcon { Critical, Exclamation };

// What the message box of a failure report shows.
struct ErrorReport {
    std::string sTitle;
    std::string sMessage;
    ErrorIcon eIcon;
};

// "Error n° &H" and the number in upper-case hexadecimal: the title both the game's and the
// update library's reports give a failure.
std::string ErrorNumberTitle(int32_t lNumber);

ErrorReport ComposeErrorReport(std::string_view sProcedure, int32_t lNumber,
                               std::string_view sDescription, bool bFatal);

// Shows a failure to the user (a message box on Windows, a recorder in tests).
class IErrorReporter {
  public:
    virtual ~IErrorReporter() = default;
    virtual void ReportError(std::string_view sProcedure, int32_t lNumber,
                             std::string_view sDescription, bool bFatal) = 0;
};

// Reports the exception being handled; call only inside a catch block.
void ReportCurrentException(IErrorReporter& reporter, std::string_view sProcedure, bool bFatal);
// The same with the procedure named "sModule::sProcedure".
void ReportCurrentException(IErrorReporter& reporter, std::string_view sModule,
                            std::string_view sProcedure, bool bFatal);

// The body of a procedure that handles its own failures: any exception is reported as
// "sModule::sProcedure" and ends the procedure. True when the body ran to its end.
template <typename Body>
bool Handled(IErrorReporter& reporter, std::string_view sModule, std::string_view sProcedure,
             bool bFatal, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        ReportCurrentException(reporter, sModule, sProcedure, bFatal);
        return false;
    }
}

}  // namespace quillon
