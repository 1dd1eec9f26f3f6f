#include "network/lan_session.h"

#include <utility>

#include "engine/card_layout.h"

namespace quillon {

namespace {

// A deal, who starts, and the peer's reveals until the client's next game exists.
constexpr size_t kMaxKept = 2 + kCards;

}  // namespace

void LanSession::SetPhase(LanPhase ePhase, bool bHost) {
    m_ePhase = ePhase;
    m_bHost = bHost;
    if (ePhase != LanPhase::Playing) m_kept.clear();
}

LanVerdict LanSession::Judge(const LanMessage& message, const ILanGameView* pGame) const {
    const auto only = [](bool bExpected) {
        return bExpected ? LanVerdict::Apply : LanVerdict::Ignore;
    };
    switch (message.eKind) {
        case LanKind::Hello:
            return only(m_ePhase == LanPhase::AwaitingHello && pGame == nullptr);
        case LanKind::Accepted:
        case LanKind::Refused:
            return only(m_ePhase == LanPhase::HelloSent);
        case LanKind::Msg:
        case LanKind::MsgNeutral:
            return only(m_ePhase == LanPhase::Playing);
        case LanKind::Disconnect:
            return only(m_ePhase != LanPhase::Closed && m_ePhase != LanPhase::Listening);
        case LanKind::Deck:
        case LanKind::YouStart:
        case LanKind::Reveal:
            if (m_ePhase != LanPhase::Playing) return LanVerdict::Ignore;
            if (pGame != nullptr && !pGame->IsOver()) return JudgeMove(message, *pGame);
            return m_bHost ? LanVerdict::Ignore : JudgeForNextGame(message);
        case LanKind::Other:
            break;
    }
    return LanVerdict::Ignore;
}

LanVerdict LanSession::JudgeMove(const LanMessage& message, const ILanGameView& game) const {
    bool bLegal = false;
    switch (message.eKind) {
        case LanKind::Deck:
            bLegal = !m_bHost && game.WaitsForDeal();
            break;
        case LanKind::YouStart:
            bLegal = !m_bHost && game.JustDealt();
            break;
        case LanKind::Reveal:
            bLegal =
                !game.WaitsForDeal() && game.IsPeerTurn() && game.CanReveal(message.lX, message.lY);
            break;
        default:
            break;
    }
    return bLegal ? LanVerdict::Apply : LanVerdict::Invalid;
}

LanVerdict LanSession::JudgeForNextGame(const LanMessage& message) const {
    // The deal opens what is kept; "+YOU_START" may only follow it at once.
    const bool bDealKept = !m_kept.empty();
    bool bKeep = false;
    switch (message.eKind) {
        case LanKind::Deck:
            bKeep = !bDealKept;
            break;
        case LanKind::YouStart:
            bKeep = m_kept.size() == 1;
            break;
        case LanKind::Reveal:
            bKeep = bDealKept && m_kept.size() < kMaxKept;
            break;
        default:
            break;
    }
    return bKeep ? LanVerdict::Keep : LanVerdict::Ignore;
}

void LanSession::Keep(const LanMessage& message) {
    if (JudgeForNextGame(message) == LanVerdict::Keep) m_kept.push_back(message);
}

std::deque<LanMessage> LanSession::TakeKept() { return std::exchange(m_kept, {}); }

}  // namespace quillon
