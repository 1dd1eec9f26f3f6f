#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "shell/dates.h"
#include "shell/error_report.h"
#include "shell/random.h"

namespace quillon {
namespace {

TEST(Dates, PackAndThreeMonthRule) {
    EXPECT_EQ(ConvLngDate({2025, 12, 31}), 20251231);
    EXPECT_EQ(ConvLngDate({2026, 1, 2}), 20260102);
    EXPECT_TRUE(ConvDateSince(20251231, 20260102));  // 8871 across a year end
    EXPECT_FALSE(ConvDateSince(20260105, 20260405));  // 300
    EXPECT_TRUE(ConvDateSince(20260105, 20260406));   // 301
    EXPECT_FALSE(ConvDateSince(20260406, 20260105));  // backwards
    EXPECT_TRUE(ConvDateSince(std::numeric_limits<int32_t>::min(),
                              std::numeric_limits<int32_t>::max()));
}

class FixedRandom final : public IRandom {
public:
    explicit FixedRandom(float u) : m_u(u) {}
    float Rnd() override { return m_u; }

private:
    float m_u;
};

TEST(Random, LargestSinglePrecisionValueBelowOneStaysInRange) {
    const float below_one = std::nextafter(1.0f, 0.0f);
    for (int32_t n : {1, 2, 5, 10, 41, 100, 16777216, 16777217, 1 << 30,
                      std::numeric_limits<int32_t>::max()}) {
        FixedRandom r(below_one);
        const int32_t k = GetRandom(r, n);
        EXPECT_LT(k, n) << n;
        // Exact while n fits the float's 24 bits; beyond, floor(u * n) lies further below n.
        if (n <= 16777216) {
            EXPECT_EQ(k, n - 1) << n;
        }
        EXPECT_GE(k, n - 1 - n / 16777216) << n;
        FixedRandom zero(0.0f);
        EXPECT_EQ(GetRandom(zero, n), 0) << n;
    }
    FixedRandom broken(1.0f);
    EXPECT_EQ(GetRandom(broken, 10), 9);
    FixedRandom any(0.5f);
    EXPECT_EQ(GetRandom(any, 0), 0);
    EXPECT_EQ(GetRandom(any, -4), 0);
}

TEST(Random, GeneratorIsRepeatableAndCoversEveryValue) {
    Random a(1234), b(1234);
    std::array<int, 10> counts{};
    for (int i = 0; i < 100000; ++i) {
        const float u = a.Rnd();
        ASSERT_EQ(u, b.Rnd());
        ASSERT_GE(u, 0.0f);
        ASSERT_LT(u, 1.0f);
        const int32_t k = GetRandom(a, 10);
        ASSERT_EQ(k, GetRandom(b, 10));
        ++counts[static_cast<size_t>(k)];
    }
    for (int c : counts) EXPECT_NEAR(c, 10000, 600);
}

TEST(ErrorReportText, FixedMessagesOverrideTheFatalFlag) {
    const ErrorReport address = ComposeErrorReport("frmLan::Connect", 10048, "ignored", true);
    EXPECT_EQ(address.sTitle, "Error !");
    EXPECT_EQ(address.sMessage, "Address in use.");
    EXPECT_EQ(address.eIcon, ErrorIcon::Exclamation);

    const ErrorReport activex = ComposeErrorReport("mdiMain::Help", 429, "x", false);
    EXPECT_EQ(activex.sTitle, "Fatal Error !");
    EXPECT_EQ(activex.sMessage,
              "ActiveX object couldn't be created. Consider reinstalling application.");
    EXPECT_EQ(activex.eIcon, ErrorIcon::Critical);

    EXPECT_EQ(ComposeErrorReport("p", 373, "", true).sMessage, "This feature doesn't run in IDE.");
    EXPECT_EQ(ComposeErrorReport("p", 373, "", true).sTitle, "Error !");
    EXPECT_EQ(ComposeErrorReport("p", 40006, "", true).sMessage,
              "Connection seems to have been lost.");
}

TEST(ErrorReportText, ComposedMessagesCarryTheProcedure) {
    const ErrorReport fatal =
        ComposeErrorReport("clsGame::Card_Flip", 13, "Type mismatch", true);
    EXPECT_EQ(fatal.sTitle, "Error n\xC2\xB0 &HD");
    EXPECT_EQ(fatal.sMessage, "Fatal Error !\r\nModule::clsGame::Card_Flip\r\nType mismatch");
    EXPECT_EQ(fatal.eIcon, ErrorIcon::Critical);

    const ErrorReport plain = ComposeErrorReport("modMain::RunCommandLine", 255, "d", false);
    EXPECT_EQ(plain.sTitle, "Error n\xC2\xB0 &HFF");
    EXPECT_EQ(plain.sMessage, "Error !\r\nModule::modMain::RunCommandLine\r\nd");
    EXPECT_EQ(plain.eIcon, ErrorIcon::Exclamation);
}

}  // namespace
}  // namespace quillon
