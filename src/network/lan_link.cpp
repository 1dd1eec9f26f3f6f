#include "network/lan_link.h"

#include <utility>

namespace quillon {

namespace {

// Pieces waiting while a question or notice is on the screen. A real peer sends a handful.
constexpr size_t kMaxPending = 1024;
constexpr size_t kMaxIpText = 15;  // "255.255.255.255"

}  // namespace

void LanLink::SetOpponentName(std::string_view sName) {
    m_sOpponentName = CleanLanText(sName, kMaxLanName);
}

void LanLink::Reset(LanPhase ePhase, bool bHost) {
    m_session.SetPhase(ePhase, bHost);
    m_framer.Reset();
    m_pending.clear();
}

void LanLink::DataArrival(std::string_view sBytes, uint32_t lTick) {
    m_session.Heard(lTick);
    for (std::string& sPiece : m_framer.Feed(sBytes)) m_pending.push_back(std::move(sPiece));
    if (m_framer.Overflowed() || m_pending.size() > kMaxPending) {
        m_pending.clear();
        EndSession(LanNotice::TooLong);
        return;
    }
    Process();
}

void LanLink::ConnectionClosed() {
    std::vector<std::string> tail = m_framer.Close();
    const bool bSaidGoodbye = !tail.empty() && tail.back().starts_with(kLanDisconnect);
    for (std::string& sPiece : tail) m_pending.push_back(std::move(sPiece));
    // A peer that vanishes without a word is gone all the same.
    if (!bSaidGoodbye) m_pending.emplace_back(kLanDisconnect);
    Process();
}

void LanLink::GameCreated(uint32_t lTick) {
    m_session.Heard(lTick);
    for (const LanMessage& message : m_session.TakeKept())
        if (!Dispatch(message)) break;
}

bool LanLink::CheckSilence(uint32_t lTick) {
    if (m_session.Phase() != LanPhase::Playing || !RunningGame() || !m_session.IsSilent(lTick))
        return false;
    EndSession(LanNotice::ConnectionLost);
    return true;
}

void LanLink::Process() {
    // A question or notice runs a message loop, in which more bytes arrive: they wait their turn.
    if (m_bBusy) return;
    m_bBusy = true;
    while (!m_pending.empty()) {
        const std::string sPiece = std::move(m_pending.front());
        m_pending.pop_front();
        if (!Handle(sPiece)) m_pending.clear();
    }
    m_bBusy = false;
}

bool LanLink::RunningGame() {
    const ILanGame* pGame = m_host.Lan_Game();
    return pGame != nullptr && !pGame->IsOver();
}

bool LanLink::Handle(const std::string& sPiece) {
    LanMessage message;
    try {
        message = ParseLanMessage(sPiece);
    } catch (const QuillonError& error) {
        if (RunningGame())
            EndSession(LanNotice::InvalidMove);
        else
            m_host.Lan_Report(error);
        return false;
    }
    return Dispatch(message);
}

bool LanLink::Dispatch(const LanMessage& message) {
    switch (m_session.Judge(message, m_host.Lan_Game())) {
        case LanVerdict::Apply:
            return Apply(message);
        case LanVerdict::Keep:
            m_session.Keep(message);
            return true;
        case LanVerdict::Invalid:
            EndSession(LanNotice::InvalidMove);
            return false;
        case LanVerdict::Ignore:
            break;
    }
    return true;
}

bool LanLink::Apply(const LanMessage& message) {
    ILanGame* const pGame = m_host.Lan_Game();
    switch (message.eKind) {
        case LanKind::Hello: {
            const std::string sName = CleanLanText(message.sText, kMaxLanName);
            const bool bAccept = m_host.Lan_AskAccept(sName, CleanLanText(message.sIp, kMaxIpText));
            // The peer may have left while the question was on the screen.
            if (m_session.Phase() != LanPhase::AwaitingHello) return false;
            if (!bAccept) {
                m_host.Lan_Send(std::string(kLanRefused));
                m_host.Lan_ListenAgain();
                return false;
            }
            m_host.Lan_Send(LanAcceptedMessage(m_host.Lan_Nickname()));
            m_session.SetPhase(LanPhase::Playing, true);
            SetOpponentName(sName);
            m_host.Lan_StartGame(sName);
            return true;
        }
        case LanKind::Accepted: {
            m_host.Lan_Notice(LanNotice::Accepted);
            if (m_session.Phase() != LanPhase::HelloSent) return false;
            m_host.Lan_Send(std::string(kLanOk));
            m_session.SetPhase(LanPhase::Playing, false);
            SetOpponentName(message.sText);
            m_host.Lan_StartGame(m_sOpponentName);
            return true;
        }
        case LanKind::Refused:
            EndSession(LanNotice::Refused);
            return false;
        case LanKind::Disconnect:
            EndSession(LanNotice::Disconnected);
            return false;
        case LanKind::Msg:
            m_host.Lan_ChatAdd("<" + m_sOpponentName + "> " +
                               CleanLanText(message.sText, kMaxChatLine));
            return true;
        case LanKind::MsgNeutral:
            m_host.Lan_ChatAdd(CleanLanText(message.sText, kMaxChatLine));
            return true;
        case LanKind::YouStart:
            pGame->Game_StartPlayer();
            return true;
        case LanKind::Reveal:
            pGame->Card_Flip(message.lX, message.lY);
            return true;
        case LanKind::Deck:
            try {
                pGame->Game_DeckReceive(message.sText);
            } catch (const QuillonError&) {
                EndSession(LanNotice::InvalidMove);
                return false;
            }
            return true;
        case LanKind::Other:
            break;
    }
    return true;
}

void LanLink::EndSession(LanNotice eNotice) {
    const bool bRunning = RunningGame();
    m_host.Lan_Notice(eNotice);
    m_host.Lan_CloseSocket();
    Reset(LanPhase::Closed, m_session.IsHost());
    if (bRunning) m_host.Lan_AbandonGame();
}

}  // namespace quillon
