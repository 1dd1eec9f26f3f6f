// The deal as the network carries it.

#include "engine/deck.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/error_report.h"

namespace quillon {
namespace {

const std::string kReversed =
    "24;24;23;23;22;22;21;21;20;20;19;19;18;18;17;17;16;16;15;15;14;14;13;13;12;12;"
    "11;11;10;10;9;9;8;8;7;7;6;6;5;5;4;4;3;3;2;2;1;1;0;0";

TEST(DeckMessage, IdentitiesInBoardOrderBothWays) {
    Deck deck{};
    for (int32_t k = 0; k < kCards; ++k) deck[k] = 24 - k / 2;
    EXPECT_EQ(FormatDeck(deck), "+DECK=" + kReversed);
    EXPECT_EQ(ParseDeck(kReversed), deck);
}

TEST(DeckMessage, RefusesAnythingButFiftyIdentitiesEachTwice) {
    const std::string tail = kReversed.substr(3);  // positions 1 to 49, without one 24
    const struct {
        const char* sName;
        std::string sDeck;
        int32_t lNumber;
    } bad[] = {{"empty", "", ErrTypeMismatch},
               {"49 items", tail, ErrSubscriptOutOfRange},
               {"51 items", kReversed + ";0", ErrSubscriptOutOfRange},
               {"trailing separator", kReversed + ";", ErrSubscriptOutOfRange},
               {"trailing separator after 49", tail + ";", ErrTypeMismatch},
               {"leading separator", ";" + tail, ErrTypeMismatch},
               {"not a number", "x;" + tail, ErrTypeMismatch},
               {"a space", " 24;" + tail, ErrTypeMismatch},
               {"negative", "-1;" + tail, ErrTypeMismatch},
               {"a fraction", "0.5;" + tail, ErrTypeMismatch},
               {"beyond 32 bits", "99999999999;" + tail, ErrTypeMismatch},
               {"identity 25", "25;" + tail, ErrInvalidCall},
               {"identity three times", "23;" + tail, ErrInvalidCall}};
    for (const auto& b : bad) {
        try {
            (void)ParseDeck(b.sDeck);
            ADD_FAILURE() << b.sName << ": accepted";
        } catch (const QuillonError& e) {
            EXPECT_EQ(e.Number(), b.lNumber) << b.sName << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace quillon
