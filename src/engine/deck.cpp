#include "engine/deck.h"

#include <charconv>

#include "shell/error_report.h"

namespace quillon {

namespace {

// The item as an identity, or -1 when it is not a plain decimal number that fits.
int32_t ParseIdentity(std::string_view sItem) {
    if (sItem.empty()) return -1;
    for (const char c : sItem)
        if (c < '0' || c > '9') return -1;
    int32_t lValue = 0;
    const auto result = std::from_chars(sItem.data(), sItem.data() + sItem.size(), lValue);
    if (result.ec != std::errc() || result.ptr != sItem.data() + sItem.size()) return -1;
    return lValue;
}

}  // namespace

std::string FormatDeck(const Deck& deck) {
    std::string s = "+DECK=";
    for (size_t k = 0; k < deck.size(); ++k) {
        if (k != 0) s += ';';
        s += std::to_string(deck[k]);
    }
    return s;
}

Deck ParseDeck(std::string_view sDeck) {
    Deck deck{};
    std::array<int32_t, kFaces> counts{};
    size_t lItems = 0;
    size_t pos = 0;
    while (true) {
        const size_t end = sDeck.find(';', pos);
        const std::string_view sItem =
            sDeck.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        if (lItems >= deck.size())
            throw QuillonError(ErrSubscriptOutOfRange,
                               "Deck message holds more than " + std::to_string(kCards) + " cards");
        const int32_t lValue = ParseIdentity(sItem);
        if (lValue < 0)
            throw QuillonError(ErrTypeMismatch, "Deck message item " + std::to_string(lItems) +
                                                    " is not a card identity: \"" +
                                                    std::string(sItem) + "\"");
        if (lValue >= kFaces)
            throw QuillonError(ErrInvalidCall, "Deck message item " + std::to_string(lItems) +
                                                   " holds identity " + std::to_string(lValue) +
                                                   ", outside 0.." + std::to_string(kFaces - 1));
        if (++counts[lValue] > 2)
            throw QuillonError(ErrInvalidCall, "Deck message holds identity " +
                                                   std::to_string(lValue) + " more than twice");
        deck[lItems++] = lValue;
        if (end == std::string_view::npos) break;
        pos = end + 1;
    }
    if (lItems != deck.size())
        throw QuillonError(ErrSubscriptOutOfRange, "Deck message holds " + std::to_string(lItems) +
                                                       " cards instead of " +
                                                       std::to_string(kCards));
    // 50 items, none more than twice among 25 identities: each is there exactly twice.
    return deck;
}

}  // namespace quillon
