#pragma once
// The deal as the network carries it: the 50 card identities in board order (x outer 0..9,
// y inner 0..4), written as decimal numbers separated by ';' after "+DECK=".

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/card_layout.h"

namespace quillon {

using Deck = std::array<int32_t, kCards>;

// The message that sends a deal: "+DECK=0;0;1;1;...".
std::string FormatDeck(const Deck& deck);

// The peer's deal, the text after "+DECK=". Throws QuillonError unless it holds exactly 50
// identities with each of 0..24 twice: ErrTypeMismatch for an item that is not a plain
// decimal number, ErrInvalidCall for an identity above 24 or one seen a third time,
// ErrSubscriptOutOfRange for more or fewer than 50 items.
Deck ParseDeck(std::string_view sDeck);

}  // namespace quillon
