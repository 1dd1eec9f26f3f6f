#include "iupdate/feedback_checks.h"

#include <vector>

namespace quillon {

namespace {

// The text cut into characters: a UTF-8 lead byte with the continuation bytes after it.
std::vector<std::string_view> Characters(std::string_view s) {
    std::vector<std::string_view> chars;
    size_t lStart = 0;
    for (size_t i = 1; i <= s.size(); ++i) {
        if (i == s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            chars.push_back(s.substr(lStart, i - lStart));
            lStart = i;
        }
    }
    return chars;
}

}  // namespace

bool MatchesPattern(std::string_view sText, std::string_view sPattern) {
    const std::vector<std::string_view> text = Characters(sText);
    const std::vector<std::string_view> pattern = Characters(sPattern);
    // Greedy walk that returns to the last "*" on a mismatch and lets it take one more
    // character: no recursion, at most text × pattern steps.
    size_t t = 0, p = 0, lStar = pattern.size(), lStarText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == "*") {
            lStar = p++;
            lStarText = t;
        } else if (p < pattern.size() && (pattern[p] == "?" || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (lStar != pattern.size()) {
            p = lStar + 1;
            t = ++lStarText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == "*") ++p;
    return p == pattern.size();
}

FeedbackCheck IsValid(std::string_view sName, std::string_view sEmail, std::string_view sFeedback) {
    if (sName.empty()) return FeedbackCheck::NameEmpty;
    if (Characters(sEmail).size() < 7) return FeedbackCheck::EmailTooShort;
    if (sFeedback.empty()) return FeedbackCheck::FeedbackEmpty;
    if (sEmail.find('@') == std::string_view::npos) return FeedbackCheck::EmailWithoutAt;
    if (sEmail.front() == '.' || sEmail.back() == '.') return FeedbackCheck::EmailPeriodEnd;
    if (!MatchesPattern(sEmail, "?*@??*.??*")) return FeedbackCheck::EmailFormat;
    return FeedbackCheck::Passed;
}

CheckMessage FeedbackCheckMessage(FeedbackCheck eCheck) {
    switch (eCheck) {
        case FeedbackCheck::NameEmpty:
            return {"Please fill in your name.", "Enter name"};
        case FeedbackCheck::EmailTooShort:
            return {"Email must be at least 7 characters.", "Enter valid email"};
        case FeedbackCheck::FeedbackEmpty:
            return {"Please fill in feedback form.", "Enter feedback"};
        case FeedbackCheck::EmailWithoutAt:
            return {"Email must contain an '@' symbol.", "Enter valid email"};
        case FeedbackCheck::EmailPeriodEnd:
            return {"Email may not start or end with a period.", "Enter valid email"};
        case FeedbackCheck::EmailFormat:
            return {"Email is in an invalid format.", "Enter valid email"};
        case FeedbackCheck::Passed:
            break;
    }
    return {};
}

}  // namespace quillon
