// The computer opponent. Its memory is m_colMemory (one clsCard per unmatched card, in
// board order); every decision starts from A = B = (0, 0).
//
// The order and number of random draws are part of the design and are kept exactly; the
// decision itself stays free of heap allocation so that a computer turn costs microseconds.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/clsGame.h"
#include "shell/error_report.h"
#include "shell/random.h"
#include "shell/rounding.h"
#include "shell/settings.h"

namespace quillon {

namespace {

inline bool IsKnown(const clsCard& card) { return card.lTimesSeen != 0; }

inline CardPos PositionOf(const clsCard& card) { return CardPos{card.lX, card.lY}; }

inline bool SamePosition(const clsCard& a, const clsCard& b) {
    return a.lX == b.lX && a.lY == b.lY;
}

// The score of a known pair: the pair seen longest ago and least often scores lowest.
inline int64_t PairScore(const clsCard& c1, const clsCard& c2) {
    return (int64_t{c1.lLastSeen} + c2.lLastSeen) / 2 +
           2 * ((int64_t{c1.lTimesSeen} + c2.lTimesSeen) / 2);
}

constexpr int64_t kNoScore = 100000000;

}  // namespace

void clsGame::AI_Search() {
    Handled("AI_Search", [&] {
        const uint32_t t0 = m_context.host.TickCount();
        const auto [A, B] = AI_Decide();
        int32_t lTime = ElapsedTicks(t0);
        m_objProfile2.UpdateAverageTime(lTime);
        Turn_Reset();
        if (!m_colMemory.empty()) {
            Card_Flip(A.lX, A.lY);
            Card_Flip(B.lX, B.lY);
        }
    });
}

std::pair<CardPos, CardPos> clsGame::AI_Decide() {
    CardPos A{0, 0};
    CardPos B{0, 0};
    AI_ForgetSome();
    if (m_colMemory.empty()) return {A, B};

    bool bFound = false;
    AI_MemorySearch(A, B, bFound);
    if (bFound) return {A, B};

    AI_MemoryRandom(A, bFound);
    if (bFound) {
        AI_MemoryCheck(B, A, bFound);
        if (bFound) return {A, B};  // a certain pair
        AI_MemoryRandom(B, bFound);
        if (!bFound || B == A) AI_RandomSearch(A, B, true);
    } else {
        AI_RandomSearch(A, B, false);
    }
    return {A, B};
}

void clsGame::AI_ForgetSome() {
    int32_t M = m_context.settings.GetSettingNumber(SettingAIMemory);
    if (M >= 100) return;  // nothing is ever forgotten
    if (M <= 5) M = 5;
    IRandom& random = m_context.random;
    for (clsCard& card : m_colMemory) {
        if (!IsKnown(card)) continue;
        if (GetRandom(random, 100) <= M) continue;
        if (GetRandom(random, 100) <= M) continue;
        const double u = static_cast<double>(random.Rnd());
        const double v = RoundHalfEven(static_cast<double>(card.lTimesSeen) - u);
        card.lTimesSeen = v < 0.0 ? 0 : static_cast<int32_t>(v);
    }
}

void clsGame::AI_MemorySearch(CardPos& A, CardPos& B, bool& bFound) {
    bFound = false;
    const int32_t n = static_cast<int32_t>(m_colMemory.size());

    // Fast path, the normal case: every identity 0..24 has at most two known entries. Then
    // the design's walk over all ordered pairs (c1, c2) meets each known pair first as
    // (earlier entry, later entry) and again reversed with the same score, so its result is
    // the pair with the lowest score, and on equal scores the one whose earlier entry comes
    // first in memory order.
    std::array<int32_t, kFaces> first;
    std::array<int32_t, kFaces> second;
    first.fill(-1);
    second.fill(-1);
    bool bGeneral = false;
    for (int32_t i = 0; i < n; ++i) {
        const clsCard& card = m_colMemory[i];
        if (!IsKnown(card)) continue;
        const int32_t lId = card.lId;
        if (lId < 0 || lId >= kFaces) {
            bGeneral = true;
            break;
        }
        if (first[lId] < 0) {
            first[lId] = i;
        } else if (second[lId] < 0) {
            second[lId] = i;
        } else {
            bGeneral = true;  // a third known entry: only a hand-built memory does that
            break;
        }
    }

    int32_t lBest1 = -1;
    int32_t lBest2 = -1;
    int64_t lBest = kNoScore;
    int32_t lCount = 0;
    if (!bGeneral) {
        for (int32_t lId = 0; lId < kFaces; ++lId) {
            const int32_t i = first[lId];
            const int32_t j = second[lId];
            if (j < 0) continue;
            const clsCard& c1 = m_colMemory[i];
            const clsCard& c2 = m_colMemory[j];
            if (SamePosition(c1, c2)) continue;
            lCount += 2;
            const int64_t lScore = PairScore(c1, c2);
            if (lScore < lBest || (lScore == lBest && lBest1 >= 0 && i < lBest1)) {
                lBest = lScore;
                lBest1 = i;
                lBest2 = j;
            }
        }
    } else {
        // The design's walk as written.
        for (int32_t i = 0; i < n; ++i) {
            const clsCard& c1 = m_colMemory[i];
            if (!IsKnown(c1)) continue;
            for (int32_t j = 0; j < n; ++j) {
                const clsCard& c2 = m_colMemory[j];
                if (!IsKnown(c2) || c2.lId != c1.lId || SamePosition(c1, c2)) continue;
                ++lCount;
                const int64_t lScore = PairScore(c1, c2);
                if (lScore < lBest) {
                    lBest = lScore;
                    lBest1 = i;
                    lBest2 = j;
                }
            }
        }
    }

    if (lCount != 0 && lBest1 >= 0) {
        A = PositionOf(m_colMemory[lBest1]);
        B = PositionOf(m_colMemory[lBest2]);
        bFound = true;
    }
}

void clsGame::AI_MemoryRandom(CardPos& A, bool& bFound) {
    bFound = false;
    const int32_t n = static_cast<int32_t>(m_colMemory.size());
    if (n == 0) return;

    // The tried indices; a memory never holds more than 50 entries, so the set lives on the
    // stack except for hand-built memories larger than that.
    std::array<bool, kCards> local{};
    std::vector<bool> large;
    if (n > kCards) large.assign(static_cast<size_t>(n), false);
    auto tried = [&](int32_t i) -> bool { return n > kCards ? large[i] : local[i]; };
    auto markTried = [&](int32_t i) {
        if (n > kCards)
            large[i] = true;
        else
            local[i] = true;
    };

    IRandom& random = m_context.random;
    int32_t lTried = 0;
    while (lTried < n) {
        const int32_t i = GetRandom(random, n);  // entry i + 1 of the design's 1-based walk
        if (tried(i)) continue;
        const clsCard& card = m_colMemory[i];
        if (!IsKnown(card)) {
            A = PositionOf(card);
            bFound = true;
            return;
        }
        markTried(i);
        ++lTried;
    }
}

void clsGame::AI_MemoryCheck(CardPos& B, const CardPos& A, bool& bFound) {
    Handled("AI_MemoryCheck", [&] {
        bFound = false;
        CheckPosition(A.lX, A.lY);
        const int32_t lTarget = m_board[A.lX][A.lY].lId;
        for (const clsCard& card : m_colMemory) {
            if (IsKnown(card) && card.lId == lTarget && !(card.lX == A.lX && card.lY == A.lY)) {
                B = PositionOf(card);
                bFound = true;
                return;
            }
        }
    });
}

void clsGame::AI_RandomCard(CardPos& A) {
    Handled("AI_RandomCard", [&] {
        const int32_t n = static_cast<int32_t>(m_colMemory.size());
        if (n == 0) throw QuillonError(ErrInvalidCall, "The computer's memory is empty");
        A = PositionOf(m_colMemory[GetRandom(m_context.random, n)]);
    });
}

void clsGame::AI_RandomSearch(CardPos& A, CardPos& B, bool bKeepFirst) {
    Handled("AI_RandomSearch", [&] {
        if (!bKeepFirst) AI_RandomCard(A);
        // The loop below ends only if some entry lies elsewhere than A; the memory of a game
        // always has one, a broken memory is reported instead of hanging.
        bool bOther = false;
        for (const clsCard& card : m_colMemory) {
            if (!(card.lX == A.lX && card.lY == A.lY)) {
                bOther = true;
                break;
            }
        }
        if (!bOther)
            throw QuillonError(ErrInvalidCall,
                               "The computer's memory holds no second card to choose");
        do {
            AI_RandomCard(B);
        } while (B == A);
    });
}

}  // namespace quillon
