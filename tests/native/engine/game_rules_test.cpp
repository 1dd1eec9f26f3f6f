// The rules of a game as the board window drives it, from the deal to whole games of every type.

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "game_rig.h"

namespace quillon::test {
namespace {

using Texts = std::vector<std::pair<int32_t, std::string>>;
using Results = std::array<int32_t, 3>;  // won, lost, null
using Pairs = std::array<int32_t, 5>;    // missed, both, second, first seen, wild guess

Results ResultsOf(const ProfileRecord& r) { return {r.Games_Won, r.Games_Lost, r.Games_Null}; }
Texts LastTwo(const Texts& texts) { return Texts(texts.end() - 2, texts.end()); }

template <typename F>
std::string DeckItems(F f) {
    std::string s;
    for (int32_t k = 0; k < kCards; ++k) s.append(k ? ";" : "").append(std::to_string(f(k)));
    return s;
}
const std::string kUnshuffled = "+DECK=" + DeckItems([](int32_t k) { return k / 2; });
const std::string kReversed = DeckItems([](int32_t k) { return 24 - k / 2; });

TEST(Deal, UnshuffledDealFollowsBoardOrderAndOnlyComputerGamesRemember) {
    for (GameType eType : {GameSolo, GameTwoPlayers, GameVsComputer, GameComputerAlone}) {
        GameRig rig;
        clsGame& game = rig.Deal(eType);
        EXPECT_TRUE(rig.values.g_bGameRunning);
        EXPECT_EQ(game.DeckMessage(), kUnshuffled);
        const bool bComputer = eType == GameVsComputer || eType == GameComputerAlone;
        EXPECT_EQ(game.Memory().size(), bComputer ? 50u : 0u) << eType;
        game.Card_Flip(0, 0);
        EXPECT_EQ(game.RevealClock(), bComputer ? 1 : 0) << "it runs for the computer only";
        rig.game.reset();
        EXPECT_FALSE(rig.values.g_bGameRunning);
    }
}

TEST(Deal, ShuffleSwaps51TimesPositionsDrawnX1Y1X2Y2) {
    GameRig rig;
    std::array<std::array<int32_t, kRows>, kColumns> expected{};
    for (int32_t k = 0; k < kCards; ++k) expected[k / kRows][k % kRows] = k / 2;
    for (int32_t i = 0; i < 51; ++i) {
        const int32_t x1 = i % 10, y1 = (i * 3) % 5, x2 = (i * 7 + 3) % 10, y2 = (i + 2) % 5;
        for (auto [k, n] : {std::pair{x1, 10}, {y1, 5}, {x2, 10}, {y2, 5}})
            rig.random.PushIndex(k, n);
        std::swap(expected[x1][y1], expected[x2][y2]);
    }
    rig.random.PushIndex(7, 10);  // a 52nd exchange would take this
    clsGame& game = rig.Deal(GameSolo, false);
    EXPECT_EQ(rig.random.queue.size(), 1u);
    for (int32_t k = 0; k < kCards; ++k)
        EXPECT_EQ(game.Cell(At(k).lX, At(k).lY).lId, expected[k / kRows][k % kRows]) << k;
}

TEST(NetworkDeck, HostSendsItsDealClientTakesThePeersAndKeepsItsBoardOnARefusedOne) {
    GameRig client;
    client.lan.bHost = false;
    clsGame& game = client.Deal(GameNetwork, false);
    EXPECT_EQ(client.random.lDraws, 0);
    EXPECT_EQ(game.DeckMessage(), "+DECK=" + DeckItems([](int32_t) { return 0; }));
    EXPECT_THROW(game.Game_DeckReceive("1;1"), QuillonError);
    EXPECT_FALSE(game.Game_IsDealt()) << "the client waits for the deal";
    game.Game_DeckReceive(kReversed);
    EXPECT_TRUE(game.Game_IsDealt());
    EXPECT_THROW(game.Game_DeckReceive("0;0;0;" + kReversed.substr(6)), QuillonError);
    EXPECT_EQ(game.DeckMessage(), "+DECK=" + kReversed);
    EXPECT_EQ(client.lan.sent, std::vector<std::string>{"+OK"});
    EXPECT_TRUE(client.reporter.errors.empty()) << "the network dialog reports a refused deal";
}

TEST(Turns, MissPassesTheTurnOnceTheBoardFinishesItAndAPairScoresForThePlayer) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    clsGame& game = rig.Deal(GameTwoPlayers);
    rig.random.PushIndex(0, 2);
    game.Game_StartCheck();
    game.Card_Flip(0, 0);
    EXPECT_TRUE(game.IsCardFlipped() && game.Card_IsFlipped(0, 0) && !game.Card_IsFlipped(0, 1));
    game.Card_Flip(0, 2);  // identities 0 and 1
    ASSERT_EQ(rig.events.hides.size(), 1u);
    const HideCardsCall h = rig.events.hides[0];
    EXPECT_EQ((std::array{h.lX1, h.lY1, h.lX2, h.lY2}), (std::array{0, 2, 0, 0})) << "second first";
    EXPECT_FALSE(h.bPairWasCreated || game.Card_IsPaired(0, 0));
    EXPECT_EQ(game.Player(), 1) << "the cards stay up until the board finishes the turn";
    Turn_Finish(game, 0, 2, 0, 0, false);
    EXPECT_FALSE(game.IsCardFlipped());
    EXPECT_EQ(game.Player(), 2);
    EXPECT_EQ(rig.events.LastText(1), "Bob's turn to play.");

    rig.FinishTurnsAtOnce();
    rig.Play(At(3), At(2));  // Bob's pair of identity 1
    EXPECT_TRUE(rig.events.hides.back().bPairWasCreated && game.Card_IsPaired(0, 3));
    EXPECT_EQ((std::array{game.Player(), game.Score(1), game.Score(2)}), (std::array{2, 0, 1}));
    EXPECT_EQ(LastTwo(rig.events.status),
              (Texts{{2, "Ann : 0 pairs / Bob : 1 pairs"}, {1, "Bob plays again."}}));
    rig.Play(At(0), At(4));  // Bob misses
    EXPECT_EQ(game.Player(), 1);
}

TEST(NetworkGame, ClientWaitsForThePeerNamesAreReadAtEveryTextOnlyLocalRevealsAreSent) {
    GameRig client;
    client.SetNames("Ann", "Bob");
    client.lan.bHost = false;
    client.lan.sOpponent = "Hosty";
    client.lan.sLocal = "Ann";
    client.Deal(GameNetwork).Game_StartCheck();
    EXPECT_FALSE(client.game->IsHumanTurn());
    EXPECT_EQ((std::array{client.random.lDraws, client.game->Player()}), (std::array{0, 2}));
    EXPECT_EQ(client.events.LastText(1), "Hosty's turn to play.");
    client.game->Game_StartPlayer();
    EXPECT_TRUE(client.game->IsHumanTurn());
    EXPECT_EQ(LastTwo(client.events.status),
              (Texts{{1, "Ann's turn to play."}, {2, "Ann : 0 pairs / Hosty : 0 pairs"}}));
    client.lan.sOpponent = "Other";  // the names are read at every text
    client.lan.sLocal = "Lanny";
    client.game->StatusBar(MsgScores);
    EXPECT_EQ(client.events.LastText(2), "Lanny : 0 pairs / Other : 0 pairs");
    EXPECT_EQ(client.chat.lines, std::vector<std::string>{"Starting a new game..."});
    EXPECT_TRUE(client.lan.sent.empty());

    GameRig host;
    host.Start(GameNetwork, 1);
    EXPECT_EQ(host.lan.sent, (std::vector<std::string>{kUnshuffled, "+YOU_START"}));
    GameRig rig;
    rig.lan.sLocal = "Lanny";
    rig.Start(GameNetwork, 0);  // the host begins
    rig.Play({3, 2}, {0, 0});   // identities 8 and 0
    rig.Play({9, 4}, {9, 3});   // the peer's pair and miss, applied here
    rig.Play({0, 0}, {0, 2});
    EXPECT_EQ(rig.lan.sent,
              (std::vector<std::string>{kUnshuffled, "+REVEAL{3;2}", "+REVEAL{0;0}"}));
    EXPECT_TRUE(rig.host.pauses.empty()) << "no computer pause in a network game";
    for (int32_t k = 0; k < 24; ++k) rig.Play(At(2 * k), At(2 * k + 1));
    EXPECT_EQ(rig.events.LastText(1), "Lanny wins !");
    EXPECT_EQ(ResultsOf(rig.Saved(ProfilePlayer)), (Results{1, 0, 0}));
    ASSERT_EQ(rig.chat.lines.size(), 3u) << "the opening, then the result once all pairs are found";
    EXPECT_EQ(rig.chat.lines[1], rig.events.LastText(2));
    EXPECT_EQ(rig.chat.lines[2], "Lanny wins !");
}

TEST(VersusComputer, ComputerBeginsAtOncePausesAndPlaysAgainAfterAPair) {
    GameRig rig;
    rig.SetNames("Ann", "Bob");
    rig.SetLevel(100);  // no forgetting draws
    rig.values.g_lRevealTime = 1234;
    // The computer begins, turns positions 0 and 1 (identity 0), then 2 and 7 (1 and 3).
    for (auto [k, n] : {std::pair{1, 2}, {0, 50}, {1, 50}, {0, 48}, {5, 48}})
        rig.random.PushIndex(k, n);
    rig.Start(GameVsComputer);
    ASSERT_EQ(rig.events.hides.size(), 2u);
    const HideCardsCall &a = rig.events.hides[0], &b = rig.events.hides[1];
    EXPECT_EQ((std::array{a.lX2, a.lY2, a.lX1, a.lY1, b.lX2, b.lY2, b.lX1, b.lY1}),
              (std::array{0, 0, 0, 1, 0, 2, 1, 2}));
    EXPECT_TRUE(a.bPairWasCreated && !b.bPairWasCreated);
    EXPECT_EQ(rig.game->Memory().size(), 48u) << "a found pair leaves the memory";
    EXPECT_EQ(rig.host.pauses, (std::vector<int32_t>{246, 246})) << "reveal time / 5";
    EXPECT_EQ(rig.game->ComputerProfile().Current().Pairs, (Pairs{1, 0, 0, 0, 1}));
    EXPECT_EQ(rig.game->PlayerProfile().Current().Pairs, (Pairs{}));
    EXPECT_EQ(LastTwo(rig.events.status),
              (Texts{{1, "Ann's turn to play."}, {2, "Ann : 0 pairs / Computer : 1 pairs"}}));
    rig.game->Card_Flip(At(10).lX, At(10).lY);  // people's reveals teach the computer
    EXPECT_EQ((std::array{rig.game->Memory()[8].lTimesSeen, rig.game->Memory()[8].lLastSeen}),
              (std::array{1, 5}));
}

TEST(EndOfGame, SoloGameIsNullAndEveryPairIsClassified) {
    GameRig rig;
    rig.Start(GameSolo);
    // A miss, first then second card seen before; a miss, first seen twice; two misses, both
    // seen; then identity 5 both seen and the rest wild guesses.
    for (auto [a, b] :
         {std::pair{0, 2}, {0, 1}, {3, 2}, {4, 6}, {4, 5}, {6, 7}, {8, 10}, {9, 11}, {8, 9}})
        rig.Play(At(a), At(b));
    rig.PlayPairsFrom(5);
    EXPECT_EQ(LastTwo(rig.events.status),
              (Texts{{2, "25 pairs formed out of 25"}, {1, "Game over !"}}));
    const ProfileRecord player = rig.Saved(ProfilePlayer);
    EXPECT_EQ(ResultsOf(player), (Results{0, 0, 1}));
    EXPECT_EQ(player.Pairs, (Pairs{4, 2, 1, 3, 19}));
}

TEST(PlayingTime, LeavesOutAPausedDialogAcrossATickWraparound) {
    GameRig rig;
    rig.host.lTick = 0xFFFFFF00u;
    rig.Start(GameSolo);
    rig.host.lTick += 0x300;
    rig.game->Game_TimersPause();  // a dialog opens
    EXPECT_EQ(rig.game->PlayTime(), 0x300);
    rig.host.lTick = 0xFFFFFFF0u;
    rig.game->Game_TimersRestart();  // and closes
    rig.host.lTick += 0x20;
    rig.PlayPairsFrom(0);
    EXPECT_EQ(rig.Saved(ProfilePlayer).Average_Time, double(0x320));
}

TEST(Failures, AreReportedFatallyByTheProcedureThatHandlesThem) {
    GameRig rig;  // a network game whose network dialog and chat are not loaded
    rig.values.g_bLanGame = true;
    rig.Make(false).Game_Create(GameNetwork);
    rig.game->Game_StartCheck();  // the chat fails in StatusBar, the link in Game_StartCheck
    rig.game->Card_Flip(0, 0);
    EXPECT_EQ(rig.reporter.Procedures(),
              (std::vector<std::string>{"clsGame::Game_Create", "clsGame::StatusBar",
                                        "clsGame::Game_StartCheck", "clsGame::Card_Flip"}));
    for (const ReportedError& e : rig.reporter.errors) EXPECT_TRUE(e.bFatal);

    GameRig two;
    clsGame& game = two.Deal(GameTwoPlayers);
    game.Card_Flip(10, 0);
    game.Card_Flip(0, -1);
    EXPECT_FALSE(game.IsCardFlipped());
    EXPECT_THROW((void)game.Card_IsPaired(0, 5), QuillonError);
    two.events.onHideCards = [](const HideCardsCall&) { throw QuillonError(ErrInvalidCall, ""); };
    two.Play(At(0), At(1));
    EXPECT_EQ(game.Score(1), 1) << "the game goes on from the state reached";
    EXPECT_EQ(two.reporter.Procedures(), std::vector<std::string>(3, "clsGame::Card_Flip"));
    EXPECT_EQ(two.reporter.errors[0].lNumber, ErrSubscriptOutOfRange);
}

// What each type saves when player 1 wins or when player 2 does, in won, lost, null.
TEST(WholeGames, EveryLocalTypeEndsWithAll25PairsAndItsResultsSaved) {
    const Results none{0, 0, 0}, won{1, 0, 0}, lost{0, 1, 0}, null{0, 0, 1};
    const struct {
        GameType eType;
        Results player1, player2, computer1, computer2;
    } types[] = {{GameSolo, null, null, none, none},
                 {GameTwoPlayers, none, none, none, none},
                 {GameVsComputer, won, lost, lost, won},
                 {GameComputerAlone, none, none, null, null}};
    for (const auto& t : types) {
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            SCOPED_TRACE(testing::Message() << "type " << t.eType << " seed " << seed);
            GameRig rig(seed * 7919u);
            rig.SetLevel(int32_t((seed * 13) % 101));
            rig.Deal(t.eType, false);
            rig.FinishTurnsAtOnce();
            rig.game->Game_StartCheck();
            EXPECT_EQ(rig.PlayToEnd(seed) == 0, t.eType == GameComputerAlone) << "people's turns";
            ASSERT_EQ(rig.events.gameEnds, std::vector<bool>{true});
            EXPECT_TRUE(rig.host.bKillGameTimer);
            EXPECT_EQ(rig.game->Score(1) + rig.game->Score(2), 25);
            EXPECT_TRUE(rig.Unpaired().empty() && rig.game->Memory().empty());
            const bool b1 = rig.game->Game_CheckWin() == 1;
            EXPECT_EQ(ResultsOf(rig.Saved(ProfilePlayer)), b1 ? t.player1 : t.player2);
            EXPECT_EQ(ResultsOf(rig.Saved(ProfileComputer)), b1 ? t.computer1 : t.computer2);
            EXPECT_EQ(ResultsOf(rig.Saved(ProfileComputer, true)), b1 ? t.computer1 : t.computer2)
                << "the record of the level played";
            std::set<std::pair<int32_t, int32_t>> paired;
            for (const HideCardsCall& h : rig.events.hides) {
                EXPECT_FALSE(h.lX1 == h.lX2 && h.lY1 == h.lY2);
                EXPECT_FALSE(paired.count({h.lX1, h.lY1}) || paired.count({h.lX2, h.lY2}));
                if (h.bPairWasCreated) paired.insert({{h.lX1, h.lY1}, {h.lX2, h.lY2}});
            }
            EXPECT_TRUE(rig.reporter.errors.empty());
        }
    }
}

}  // namespace
}  // namespace quillon::test
