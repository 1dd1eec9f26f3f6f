#pragma once
// The feedback window's checks of what the user typed, and the messages that explain them.

#include <string_view>

namespace quillon {

// The checks in the order they are made; the first that fails is the one shown.
enum class FeedbackCheck {
    Passed,
    NameEmpty,
    EmailTooShort,  // fewer than 7 characters
    FeedbackEmpty,
    EmailWithoutAt,
    EmailPeriodEnd,  // begins or ends with "."
    EmailFormat,     // does not match "?*@??*.??*"
};

struct CheckMessage {
    std::string_view sMessage;
    std::string_view sTitle;
};

// Texts are UTF-8 and taken as typed, not trimmed; lengths count characters, not bytes.
FeedbackCheck IsValid(std::string_view sName, std::string_view sEmail, std::string_view sFeedback);

// The message box text and title of a failed check (both empty for Passed).
CheckMessage FeedbackCheckMessage(FeedbackCheck eCheck);

// Whether the text matches a pattern in which "?" stands for exactly one character and "*" for
// any number of characters (none included); every other character stands for itself.
bool MatchesPattern(std::string_view sText, std::string_view sPattern);

}  // namespace quillon
