#include "shell/error_report.h"

#include <cstdio>
#include <exception>

namespace quillon {

namespace {

const char* FixedMessage(int32_t lNumber, bool& bFatal) {
    switch (lNumber) {
        case ErrNotInIde:
            bFatal = false;
            return "This feature doesn't run in IDE.";
        case ErrCannotCreateObject:
            bFatal = true;
            return "ActiveX object couldn't be created. Consider reinstalling application.";
        case ErrAddressInUse:
            bFatal = false;
            return "Address in use.";
        case ErrConnectionLost:
            bFatal = false;
            return "Connection seems to have been lost.";
        default:
            return nullptr;
    }
}

}  // namespace

std::string ErrorNumberTitle(int32_t lNumber) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(lNumber));
    return std::string("Error n\xC2\xB0 &H") + hex;
}

ErrorReport ComposeErrorReport(std::string_view sProcedure, int32_t lNumber,
                               std::string_view sDescription, bool bFatal) {
    ErrorReport report{ErrorNumberTitle(lNumber), {}, ErrorIcon::Exclamation};

    const char* fixed = FixedMessage(lNumber, bFatal);
    if (fixed) {
        report.sMessage = fixed;
        report.sTitle = bFatal ? "Fatal Error !" : "Error !";
    } else {
        report.sMessage = std::string(bFatal ? "Fatal Error !" : "Error !") +
                          "\r\nModule::" + std::string(sProcedure) + "\r\n" +
                          std::string(sDescription);
    }
    report.eIcon = bFatal ? ErrorIcon::Critical : ErrorIcon::Exclamation;
    return report;
}

void ReportCurrentException(IErrorReporter& reporter, std::string_view sProcedure, bool bFatal) {
    try {
        throw;
    } catch (const QuillonError& e) {
        reporter.ReportError(sProcedure, e.Number(), e.what(), bFatal);
    } catch (const std::out_of_range& e) {
        reporter.ReportError(sProcedure, ErrSubscriptOutOfRange, e.what(), bFatal);
    } catch (const std::exception& e) {
        reporter.ReportError(sProcedure, ErrInvalidCall, e.what(), bFatal);
    } catch (...) {
        reporter.ReportError(sProcedure, ErrInvalidCall, "Unknown failure", bFatal);
    }
}

void ReportCurrentException(IErrorReporter& reporter, std::string_view sModule,
                            std::string_view sProcedure, bool bFatal) {
    std::string sFull(sModule);
    sFull += "::";
    sFull += sProcedure;
    ReportCurrentException(reporter, sFull, bFatal);
}

}  // namespace quillon
