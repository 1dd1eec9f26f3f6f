// Dates, paths, the random source and the text of failure reports.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <tuple>

#include "shell/dates.h"
#include "shell/error_report.h"
#include "shell/paths.h"
#include "shell/random.h"

namespace quillon {
namespace {

// A month off by one, a year from 1900 or a day from 0 would show in the date number.
TEST(Dates, BrokenDownTimeGivesTheCalendarDateAndThreeMonthsAre301OnItsNumber) {
    for (auto [year, month, day, lNumber] : {std::tuple{125, 0, 31, 20250131},
                                             {125, 11, 31, 20251231},
                                             {126, 1, 28, 20260228},
                                             {100, 1, 29, 20000229}}) {
        std::tm time{};
        time.tm_year = year;
        time.tm_mon = month;
        time.tm_mday = day;
        EXPECT_EQ(ConvLngDate(ToCalendarDate(time)), lNumber);
    }
    const CalendarDate today = TodayLocal();
    EXPECT_TRUE(today.lYear >= 2024 && today.lMonth >= 1 && today.lMonth <= 12 && today.lDay >= 1);
    EXPECT_TRUE(ConvDateSince(20251231, 20260102));   // 8871 across a year end
    EXPECT_FALSE(ConvDateSince(20260105, 20260405));  // 300
    EXPECT_TRUE(ConvDateSince(20260105, 20260406));   // 301
    EXPECT_FALSE(ConvDateSince(20260406, 20260105));
    EXPECT_TRUE(ConvDateSince(INT32_MIN, INT32_MAX));
}

TEST(Paths, BackslashAndExtensionAddedOnlyWhenMissingWhateverTheCase) {
    // clang-format off
    for (auto [sIn, sOut] : {std::pair{"C:\\Games", "C:\\Games\\"}, {"C:\\Games\\", "C:\\Games\\"},
                             {"", "\\"}, {"C:/Games/", "C:/Games/\\"}})
        EXPECT_EQ(AddBackslash(sIn), sOut);
    for (auto [sIn, sOut] : {std::pair{"Blue.BMP", "Blue.BMP"}, {"Blue", "Blue.bmp"}, {"", ".bmp"},
                             {"Zo\xC3\xAB.Bmp", "Zo\xC3\xAB.Bmp"}, {"Bluebmp", "Bluebmp.bmp"},
                             {"Blue.mp", "Blue.mp.bmp"}, {"Blue.bmp.old", "Blue.bmp.old.bmp"}})
        EXPECT_EQ(AddExtension(sIn, "bmp"), sOut);
    // clang-format on
}

struct FixedRandom final : IRandom {
    explicit FixedRandom(float v) : u(v) {}
    float Rnd() override { return u; }
    float u;
};

TEST(Random, DrawStaysBelowNEvenForTheLargestFloatBelowOne) {
    FixedRandom top(std::nextafter(1.0f, 0.0f)), zero(0.0f), broken(1.0f), any(0.5f);
    for (int32_t n : {1, 2, 10, 41, 16777216, 16777217, 1 << 30, INT32_MAX}) {
        const int32_t k = GetRandom(top, n);
        EXPECT_LT(k, n) << n;
        // Exact while n fits the float's 24 bits; beyond, floor(u * n) lies further below n.
        EXPECT_GE(k, n - 1 - n / 16777216) << n;
        EXPECT_EQ(GetRandom(zero, n), 0) << n;
    }
    EXPECT_EQ(GetRandom(broken, 10), 9);
    EXPECT_EQ(GetRandom(any, 0) + GetRandom(any, -4), 0);
}

TEST(Random, GeneratorIsRepeatableAndCoversEveryValue) {
    Random a(1234), b(1234);
    std::array<int, 10> counts{};
    for (int i = 0; i < 100000; ++i) {
        const float u = a.Rnd();
        ASSERT_TRUE(u == b.Rnd() && u >= 0.0f && u < 1.0f);
        ++counts[size_t(u * 10)];
    }
    for (int c : counts) EXPECT_NEAR(c, 10000, 600);
}

TEST(ErrorReportText, FixedMessagesOverrideTheFatalFlagOthersCarryTheProcedure) {
    const struct {
        int32_t lNumber;
        bool bFatal;
        const char* sTitle;
        const char* sMessage;
        ErrorIcon eIcon;
    } cases[] = {{10048, true, "Error !", "Address in use.", ErrorIcon::Exclamation},
                 {429, false, "Fatal Error !",
                  "ActiveX object couldn't be created. Consider reinstalling application.",
                  ErrorIcon::Critical},
                 {13, true, "Error n\xC2\xB0 &HD",
                  "Fatal Error !\r\nModule::clsGame::Card_Flip\r\nd", ErrorIcon::Critical},
                 {255, false, "Error n\xC2\xB0 &HFF", "Error !\r\nModule::clsGame::Card_Flip\r\nd",
                  ErrorIcon::Exclamation}};
    for (const auto& c : cases) {
        const ErrorReport r = ComposeErrorReport("clsGame::Card_Flip", c.lNumber, "d", c.bFatal);
        EXPECT_EQ(r.sTitle, c.sTitle) << c.lNumber;
        EXPECT_EQ(r.sMessage, c.sMessage) << c.lNumber;
        EXPECT_EQ(r.eIcon, c.eIcon) << c.lNumber;
    }
}

}  // namespace
}  // namespace quillon
