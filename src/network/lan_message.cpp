#include "network/lan_message.h"

#include <algorithm>
#include <charconv>

#include "shell/error_report.h"

namespace quillon {

namespace {

// "+HELLO" is always followed by "+IP=": the address starts after both.
constexpr size_t kHelloPrefix = 10;
constexpr std::string_view kHelloName = "+NAME=";

bool ToInt32(std::string_view sText, int32_t& lValue) {
    const char* const pEnd = sText.data() + sText.size();
    const auto result = std::from_chars(sText.data(), pEnd, lValue);
    return !sText.empty() && result.ec == std::errc() && result.ptr == pEnd;
}

LanMessage ParseHello(std::string_view sPiece) {
    const std::string_view sRest = sPiece.substr(std::min(kHelloPrefix, sPiece.size()));
    const size_t lPlus = sRest.find('+');
    if (lPlus == std::string_view::npos)
        throw QuillonError(ErrInvalidCall, "Hello message without a name");
    LanMessage message{LanKind::Hello, std::string(sRest.substr(0, lPlus)), {}, 0, 0};
    const size_t lName = lPlus + kHelloName.size();
    if (lName < sRest.size()) message.sText = sRest.substr(lName);
    return message;
}

LanMessage ParseReveal(std::string_view sPiece) {
    const std::string_view s = sPiece.substr(kLanReveal.size());
    const size_t lSemicolon = s.find(';');
    LanMessage message{LanKind::Reveal, {}, {}, 0, 0};
    if (s.size() < 2 || s.front() != '{' || s.back() != '}' ||
        lSemicolon == std::string_view::npos || !ToInt32(s.substr(1, lSemicolon - 1), message.lX) ||
        !ToInt32(s.substr(lSemicolon + 1, s.size() - lSemicolon - 2), message.lY))
        throw QuillonError(ErrTypeMismatch, "Reveal message is not two numbers: \"" +
                                                CleanLanText(s, kMaxChatLine) + "\"");
    return message;
}

}  // namespace

LanMessage ParseLanMessage(std::string_view sPiece) {
    const auto after = [&](std::string_view sKey) {
        return std::string(sPiece.substr(sKey.size()));
    };
    if (sPiece.starts_with(kLanHello)) return ParseHello(sPiece);
    if (sPiece.starts_with(kLanYouStart)) return {LanKind::YouStart, {}, {}, 0, 0};
    if (sPiece.starts_with(kLanMsg)) return {LanKind::Msg, {}, after(kLanMsg), 0, 0};
    if (sPiece.starts_with(kLanMsgNeutral))
        return {LanKind::MsgNeutral, {}, after(kLanMsgNeutral), 0, 0};
    if (sPiece.starts_with(kLanReveal)) return ParseReveal(sPiece);
    if (sPiece.starts_with(kLanDisconnect)) return {LanKind::Disconnect, {}, {}, 0, 0};
    if (sPiece.starts_with(kLanDeck)) return {LanKind::Deck, {}, after(kLanDeck), 0, 0};
    if (sPiece.starts_with(kLanRefused)) return {LanKind::Refused, {}, {}, 0, 0};
    if (sPiece.starts_with(kLanAccepted)) return {LanKind::Accepted, {}, after(kLanAccepted), 0, 0};
    return {};
}

std::string LanHelloMessage(std::string_view sIp, std::string_view sName) {
    std::string s = "+HELLO+IP=";
    s += sIp;
    s += kHelloName;
    s += sName;
    return s;
}

std::string LanAcceptedMessage(std::string_view sName) {
    return std::string(kLanAccepted) + std::string(sName);
}

std::string LanRevealMessage(int32_t lX, int32_t lY) {
    return std::string(kLanReveal) + "{" + std::to_string(lX) + ";" + std::to_string(lY) + "}";
}

std::string LanChatMessage(std::string_view sText) {
    return std::string(kLanMsg) + std::string(sText);
}

std::string CleanLanText(std::string_view sText, size_t lMaxLength) {
    std::string s;
    for (const char c : sText) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) continue;
        if (s.size() == lMaxLength) break;
        s += c;
    }
    return s;
}

}  // namespace quillon
