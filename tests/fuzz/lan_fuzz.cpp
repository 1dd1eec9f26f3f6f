// Whatever a peer sends goes through the framing, the codec and the session's judgement without
// a crash, an unbounded tail, or a verdict that applies a move the game view does not allow.
//
// Input: byte 0 chooses the session's phase and side, byte 1 the game the session sees; the rest
// is the stream, cut into receives at every 0x01 byte.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "network/lan_framing.h"
#include "network/lan_message.h"
#include "network/lan_session.h"
#include "shell/error_report.h"

namespace {

using namespace quillon;

struct FuzzGame : ILanGameView {
    uint8_t lFlags = 0;
    bool IsOver() const override { return lFlags & 1; }
    bool WaitsForDeal() const override { return lFlags & 2; }
    bool JustDealt() const override { return lFlags & 4; }
    bool IsPeerTurn() const override { return lFlags & 8; }
    bool CanReveal(int32_t lX, int32_t lY) const override {
        return (lFlags & 16) && lX >= 0 && lX < 10 && lY >= 0 && lY < 5;
    }
};

void Check(bool bCondition) {
    if (!bCondition) std::abort();
}

void Receive(LanSession& session, const FuzzGame* pGame, const std::string& sPiece) {
    LanMessage message;
    try {
        message = ParseLanMessage(sPiece);
    } catch (const QuillonError&) {
        return;
    }
    Check(CleanLanText(message.sText, kMaxLanName).size() <= kMaxLanName);
    const LanVerdict eVerdict = session.Judge(message, pGame);
    if (eVerdict == LanVerdict::Keep) session.Keep(message);
    if (eVerdict == LanVerdict::Apply && message.eKind == LanKind::Reveal)
        Check(pGame != nullptr && pGame->CanReveal(message.lX, message.lY) && pGame->IsPeerTurn());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize) {
    if (lSize < 2) return 0;
    LanSession session;
    session.SetPhase(static_cast<LanPhase>(pData[0] % 6), pData[0] & 0x80);
    FuzzGame game;
    game.lFlags = pData[1];
    const FuzzGame* pGame = (pData[1] & 0x80) ? nullptr : &game;

    const std::string_view sStream(reinterpret_cast<const char*>(pData + 2), lSize - 2);
    LanFramer framer;
    size_t lStart = 0;
    while (lStart <= sStream.size()) {
        const size_t lEnd = std::min(sStream.find('\x01', lStart), sStream.size());
        for (const std::string& sPiece : framer.Feed(sStream.substr(lStart, lEnd - lStart))) {
            Check(!sPiece.empty() && sPiece.size() <= kMaxLanTail);
            Receive(session, pGame, sPiece);
        }
        lStart = lEnd + 1;
    }
    for (const std::string& sPiece : framer.Close()) Receive(session, pGame, sPiece);
    Check(session.TakeKept().size() <= 2 + 50);
    return 0;
}
