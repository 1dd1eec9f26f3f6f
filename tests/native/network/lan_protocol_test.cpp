#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "network/lan_framing.h"
#include "network/lan_message.h"
#include "network/lan_session.h"
#include "shell/error_report.h"

namespace quillon {
namespace {

using namespace std::string_literals;

TEST(LanMessageTest, PiecesAreReadByTheFirstKeywordTheyStartWith) {
    struct Case {
        std::string sPiece;
        LanKind eKind;
        std::string sIp, sText;
        int32_t lX, lY;
    };
    const Case cases[] = {
        {"+HELLO+IP=10.0.0.7+NAME=Ann", LanKind::Hello, "10.0.0.7", "Ann", 0, 0},
        {"+HELLO+IP=10.0.0.7+NAME=A+B+C", LanKind::Hello, "10.0.0.7", "A+B+C", 0, 0},
        {"+HELLO+IP=+NAME=", LanKind::Hello, "", "", 0, 0},
        {"+YOU_START", LanKind::YouStart, "", "", 0, 0},
        {"MSG= hi there ", LanKind::Msg, "", " hi there ", 0, 0},
        {"MSG_NEUTRAL=Game saved", LanKind::MsgNeutral, "", "Game saved", 0, 0},
        {"+REVEAL{3;4}", LanKind::Reveal, "", "", 3, 4},
        {"+REVEAL{-1;12}", LanKind::Reveal, "", "", -1, 12},
        {"+DISCONNECT", LanKind::Disconnect, "", "", 0, 0},
        {"+DECK=1;2;3", LanKind::Deck, "", "1;2;3", 0, 0},
        {"+REFUSED", LanKind::Refused, "", "", 0, 0},
        {"+ACCEPTED=Bob", LanKind::Accepted, "", "Bob", 0, 0},
        {"+OK", LanKind::Other, "", "", 0, 0},
        {"+ok", LanKind::Other, "", "", 0, 0},
        {"garbage", LanKind::Other, "", "", 0, 0},
    };
    for (const Case& c : cases) {
        const LanMessage m = ParseLanMessage(c.sPiece);
        EXPECT_EQ(std::tie(m.eKind, m.sIp, m.sText, m.lX, m.lY),
                  std::tie(c.eKind, c.sIp, c.sText, c.lX, c.lY))
            << c.sPiece;
    }
}

TEST(LanMessageTest, MalformedHelloAndRevealAreFailures) {
    for (const char* sPiece :
         {"+HELLO", "+HELLO+IP=10.0.0.7", "+REVEAL", "+REVEAL{}", "+REVEAL{3}", "+REVEAL{a;4}",
          "+REVEAL3;4", "+REVEAL{3;4", "+REVEAL{3;4;5}", "+REVEAL{ 3;4}", "+REVEAL{3;99999999999}"})
        EXPECT_THROW(ParseLanMessage(sPiece), QuillonError) << sPiece;
}

// The built messages the native suite sends nowhere else; a name keeps its "+" on the way back.
TEST(LanMessageTest, BuiltMessagesReadBack) {
    EXPECT_EQ(LanHelloMessage("192.168.1.2", "Zo\xEB"), "+HELLO+IP=192.168.1.2+NAME=Zo\xEB");
    EXPECT_EQ(LanChatMessage("  a"), "MSG=  a");
    const LanMessage hello = ParseLanMessage(LanHelloMessage("1.2.3.4", "a+b"));
    EXPECT_EQ(std::tie(hello.sIp, hello.sText), std::tie("1.2.3.4", "a+b"));
}

// Every way TCP may cut the stream delivers the same pieces.
TEST(LanFramerTest, EverySplitOfAStreamGivesTheSamePieces) {
    const std::string sStream = "+ACCEPTED=Bo\0+DECK=1;2\0\0MSG=hi\0+DISCONNECT"s;
    const std::vector<std::string> expected = {"+ACCEPTED=Bo", "+DECK=1;2", "MSG=hi",
                                               "+DISCONNECT"};
    const auto run = [&](const std::vector<std::string>& receives) {
        LanFramer framer;
        std::vector<std::string> pieces;
        for (const std::string& s : receives)
            for (std::string& p : framer.Feed(s)) pieces.push_back(std::move(p));
        for (std::string& p : framer.Close()) pieces.push_back(std::move(p));
        return pieces;
    };
    for (size_t i = 0; i <= sStream.size(); ++i)
        for (size_t j = i; j <= sStream.size(); ++j)
            EXPECT_EQ(run({sStream.substr(0, i), sStream.substr(i, j - i), sStream.substr(j)}),
                      expected)
                << "cut at " << i << " and " << j;
    std::vector<std::string> bytes;
    for (const char c : sStream) bytes.emplace_back(1, c);
    EXPECT_EQ(run(bytes), expected);
}

TEST(LanFramerTest, AnUnterminatedTailIsBounded) {
    LanFramer framer;
    EXPECT_TRUE(framer.Feed(std::string(kMaxLanTail, 'x')).empty());
    EXPECT_FALSE(framer.Overflowed());
    EXPECT_EQ(framer.Feed("\0+OK\0"s),
              (std::vector<std::string>{std::string(kMaxLanTail, 'x'), "+OK"}));
    EXPECT_TRUE(framer.Feed(std::string(kMaxLanTail, 'y')).empty());
    EXPECT_TRUE(framer.Feed("y\0+OK\0"s).empty());
    EXPECT_TRUE(framer.Overflowed());
    EXPECT_TRUE(framer.Feed("+OK\0"s).empty()) << "nothing is read after an overflow";
    EXPECT_TRUE(framer.Close().empty());
    framer.Reset();
    EXPECT_EQ(framer.Feed("+OK\0"s), std::vector<std::string>{"+OK"});
}

// A game seen through the session's eyes, set up by each case.
struct FakeGame : ILanGameView {
    bool bOver = false, bWaits = false, bJustDealt = false, bPeerTurn = true, bCanReveal = true;
    bool IsOver() const override { return bOver; }
    bool WaitsForDeal() const override { return bWaits; }
    bool JustDealt() const override { return bJustDealt; }
    bool IsPeerTurn() const override { return bPeerTurn; }
    bool CanReveal(int32_t, int32_t) const override { return bCanReveal; }
};

TEST(LanSessionTest, MessagesAreAppliedOnlyInTheStateThatExpectsThem) {
    const FakeGame running;
    const auto with = [](bool FakeGame::*flag, bool bValue) {
        FakeGame game;
        game.*flag = bValue;
        return game;
    };
    const FakeGame waiting = with(&FakeGame::bWaits, true),
                   dealt = with(&FakeGame::bJustDealt, true),
                   localTurn = with(&FakeGame::bPeerTurn, false),
                   faceUp = with(&FakeGame::bCanReveal, false), over = with(&FakeGame::bOver, true);
    const auto A = LanVerdict::Apply, I = LanVerdict::Ignore, K = LanVerdict::Keep,
               X = LanVerdict::Invalid;
    struct Case {
        LanPhase ePhase;
        bool bHost;
        const char* sPiece;
        const ILanGameView* pGame;
        LanVerdict eVerdict;
    };
    const Case cases[] = {
        {LanPhase::AwaitingHello, true, "+HELLO+IP=1.2.3.4+NAME=a", nullptr, A},
        {LanPhase::Listening, true, "+HELLO+IP=1.2.3.4+NAME=a", nullptr, I},
        {LanPhase::Playing, true, "+HELLO+IP=1.2.3.4+NAME=a", &running, I},
        {LanPhase::HelloSent, false, "+ACCEPTED=b", nullptr, A},
        {LanPhase::HelloSent, false, "+REFUSED", nullptr, A},
        {LanPhase::Playing, false, "+ACCEPTED=b", &running, I},
        {LanPhase::AwaitingHello, true, "+REFUSED", nullptr, I},
        {LanPhase::Playing, true, "MSG=x", &running, A},
        {LanPhase::HelloSent, false, "MSG=x", nullptr, I},
        {LanPhase::AwaitingHello, true, "+DISCONNECT", nullptr, A},
        {LanPhase::Playing, false, "+DISCONNECT", &running, A},
        {LanPhase::Listening, true, "+DISCONNECT", nullptr, I},
        {LanPhase::Playing, false, "+OK", &running, I},
        // The client takes a deal only while it waits for one, who starts only right after.
        {LanPhase::Playing, false, "+DECK=0", &waiting, A},
        {LanPhase::Playing, false, "+DECK=0", &running, X},
        {LanPhase::Playing, true, "+DECK=0", &waiting, X},
        {LanPhase::Playing, true, "+DECK=0", nullptr, I},
        {LanPhase::HelloSent, false, "+DECK=0", nullptr, I},
        {LanPhase::Playing, false, "+YOU_START", &dealt, A},
        {LanPhase::Playing, false, "+YOU_START", &running, X},
        {LanPhase::Playing, true, "+YOU_START", &dealt, X},
        // A reveal needs the peer's turn and a card that may be turned.
        {LanPhase::Playing, true, "+REVEAL{1;1}", &running, A},
        {LanPhase::Playing, false, "+REVEAL{1;1}", &localTurn, X},
        {LanPhase::Playing, false, "+REVEAL{1;1}", &faceUp, X},
        {LanPhase::Playing, false, "+REVEAL{1;1}", &waiting, X},
        {LanPhase::Playing, true, "+REVEAL{1;1}", &over, I},
        // Before the client's next game exists, its deal is kept.
        {LanPhase::Playing, false, "+DECK=0", nullptr, K},
        {LanPhase::Playing, false, "+DECK=0", &over, K},
        {LanPhase::Playing, false, "+YOU_START", &over, I},
        {LanPhase::Playing, false, "+REVEAL{1;1}", nullptr, I},
    };
    for (const Case& c : cases) {
        LanSession session;
        session.SetPhase(c.ePhase, c.bHost);
        EXPECT_EQ(session.Judge(ParseLanMessage(c.sPiece), c.pGame), c.eVerdict)
            << c.sPiece << " in phase " << static_cast<int>(c.ePhase) << (c.bHost ? " (host)" : "");
    }
}

TEST(LanSessionTest, TheNextGamesDealStartAndMovesAreKeptInOrderAndBounded) {
    LanSession session;
    session.SetPhase(LanPhase::Playing, false);
    const LanMessage deck = ParseLanMessage("+DECK=7");
    const LanMessage start = ParseLanMessage("+YOU_START");
    const LanMessage reveal = ParseLanMessage("+REVEAL{2;3}");
    const auto judgeAndKeep = [&](const LanMessage& m) {
        const LanVerdict v = session.Judge(m, nullptr);
        if (v == LanVerdict::Keep) session.Keep(m);
        return v;
    };
    EXPECT_EQ(judgeAndKeep(deck), LanVerdict::Keep);
    EXPECT_EQ(judgeAndKeep(deck), LanVerdict::Ignore) << "one deal per game";
    EXPECT_EQ(judgeAndKeep(start), LanVerdict::Keep);
    EXPECT_EQ(judgeAndKeep(start), LanVerdict::Ignore);
    size_t lReveals = 0;
    while (judgeAndKeep(reveal) == LanVerdict::Keep) ++lReveals;
    EXPECT_EQ(lReveals, 50u);

    const std::deque<LanMessage> kept = session.TakeKept();
    ASSERT_EQ(kept.size(), 52u);
    EXPECT_EQ(kept[0].sText, "7");
    EXPECT_EQ(kept[1].eKind, LanKind::YouStart);
    EXPECT_EQ(kept[51].lY, 3);
    EXPECT_TRUE(session.TakeKept().empty());

    EXPECT_EQ(judgeAndKeep(deck), LanVerdict::Keep);
    session.SetPhase(LanPhase::Closed, false);
    EXPECT_TRUE(session.TakeKept().empty()) << "a closed session forgets the next game";
}

TEST(LanSessionTest, SilenceIsMeasuredAcrossTheTickCounterWrap) {
    LanSession session;
    session.Heard(0xFFFFF000u);
    EXPECT_FALSE(session.IsSilent(0xFFFFF000u + kLanSilenceLimit - 1));
    EXPECT_TRUE(session.IsSilent(0xFFFFF000u + kLanSilenceLimit));
    session.Heard(5);
    EXPECT_FALSE(session.IsSilent(29999));
}

}  // namespace
}  // namespace quillon
