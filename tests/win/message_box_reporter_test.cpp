#include "shell/win/message_box_reporter.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

namespace quillon::win {
namespace {

struct Shown {
    HWND hOwner;
    ErrorReport report;
};

TEST(MessageBoxReporterTest, ShowsTheComposedReportToItsOwner) {
    std::optional<Shown> shown;
    const HWND hOwner = GetDesktopWindow();
    MessageBoxReporter reporter(hOwner, [&](HWND h, const ErrorReport& r) { shown = {h, r}; });

    reporter.ReportError("clsGame::Card_Flip", 13, "Type mismatch", true);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->hOwner, hOwner);
    EXPECT_EQ(shown->report.sTitle, "Error n\xC2\xB0 &HD");
    EXPECT_EQ(shown->report.sMessage,
              "Fatal Error !\r\nModule::clsGame::Card_Flip\r\nType mismatch");
    EXPECT_EQ(ErrorBoxStyle(shown->report.eIcon), static_cast<UINT>(MB_OK | MB_ICONSTOP));

    reporter.ReportError("frmLan::Connect", 10048, "ignored", true);
    EXPECT_EQ(shown->report.sTitle, "Error !");
    EXPECT_EQ(shown->report.sMessage, "Address in use.");
    EXPECT_EQ(ErrorBoxStyle(shown->report.eIcon), static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

}  // namespace
}  // namespace quillon::win
