// The feedback window's check messages come from the library's string table: each failed check
// must show the message and title that the core's table gives it, in the core's order.

#include <gtest/gtest.h>

#include "iupdate/feedback_checks.h"
#include "iupdate/win/frmSubmit.h"
#include "library_under_test.h"

namespace quillon::test {
namespace {

class SubmitForm : public LinkedLibrary {};

TEST_F(SubmitForm, EachFailedCheckShowsTheCoresMessageAndTitle) {
    for (const FeedbackCheck eCheck : {FeedbackCheck::NameEmpty, FeedbackCheck::EmailTooShort,
                                       FeedbackCheck::FeedbackEmpty, FeedbackCheck::EmailWithoutAt,
                                       FeedbackCheck::EmailPeriodEnd, FeedbackCheck::EmailFormat}) {
        const iupdate::CheckMessageText shown = iupdate::CheckMessageTexts(eCheck);
        const CheckMessage expected = FeedbackCheckMessage(eCheck);
        EXPECT_EQ(win::Narrow(shown.sMessage), expected.sMessage);
        EXPECT_EQ(win::Narrow(shown.sTitle), expected.sTitle) << expected.sMessage;
    }
}

}  // namespace
}  // namespace quillon::test
