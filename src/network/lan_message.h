#pragma once
// The line protocol between two games: the messages one side sends and how a received piece
// (the bytes between two 0x00 terminators) is read back. Texts are in the system's single-byte
// code page; nothing here looks at the platform.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

inline constexpr int32_t kDefaultLanPort = 3000;
// What a peer's name or chat line may occupy once it has crossed the wire.
inline constexpr size_t kMaxLanName = 20;
inline constexpr size_t kMaxChatLine = 255;

// Keywords as they travel, in the order a received piece is tested against them.
inline constexpr std::string_view kLanHello = "+HELLO";
inline constexpr std::string_view kLanYouStart = "+YOU_START";
inline constexpr std::string_view kLanMsg = "MSG=";
inline constexpr std::string_view kLanMsgNeutral = "MSG_NEUTRAL=";
inline constexpr std::string_view kLanReveal = "+REVEAL";
inline constexpr std::string_view kLanDisconnect = "+DISCONNECT";
inline constexpr std::string_view kLanDeck = "+DECK=";
inline constexpr std::string_view kLanRefused = "+REFUSED";
inline constexpr std::string_view kLanAccepted = "+ACCEPTED=";
inline constexpr std::string_view kLanOk = "+OK";

enum class LanKind {
    Hello,
    YouStart,
    Msg,
    MsgNeutral,
    Reveal,
    Disconnect,
    Deck,
    Refused,
    Accepted,
    Other,  // "+OK" and anything unknown: read and ignored
};

struct LanMessage {
    LanKind eKind = LanKind::Other;
    std::string sIp;    // Hello
    std::string sText;  // Hello and Accepted: the name; Msg, MsgNeutral: the line; Deck: the items
    int32_t lX = 0;     // Reveal
    int32_t lY = 0;
};

// Reads one non-empty piece. Throws QuillonError for a "+HELLO" without a "+" after its address
// and for a "+REVEAL" whose parts are not 32-bit numbers; the caller reports it and drops the
// rest of what it received.
LanMessage ParseLanMessage(std::string_view sPiece);

// Messages as sent, without their 0x00 terminator.
std::string LanHelloMessage(std::string_view sIp, std::string_view sName);
std::string LanAcceptedMessage(std::string_view sName);
std::string LanRevealMessage(int32_t lX, int32_t lY);
std::string LanChatMessage(std::string_view sText);

// A name or line from the peer made fit to show: control characters dropped, then cut.
std::string CleanLanText(std::string_view sText, size_t lMaxLength);

}  // namespace quillon
