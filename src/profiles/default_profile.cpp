#include "profiles/default_profile.h"

#include <algorithm>
#include <array>

#include "profiles/profile_record.h"

namespace quillon {

namespace {

// The computer's reference results shipped with the game, by "AI Memory" level: won, lost,
// null, then the five pair categories.
struct ReferenceRow {
    int32_t lLevel;
    int32_t lWon, lLost, lNull;
    std::array<int32_t, 5> pairs;
};

constexpr std::array<ReferenceRow, 15> kReference{{
    {0, 0, 0, 1, {180, 24, 0, 1, 0}},
    {1, 0, 0, 1, {220, 25, 0, 0, 0}},
    {2, 0, 0, 1, {196, 25, 0, 0, 0}},
    {3, 0, 0, 1, {284, 25, 0, 0, 0}},
    {5, 0, 0, 7, {1676, 171, 0, 3, 1}},
    {10, 0, 0, 3, {667, 75, 0, 0, 0}},
    {20, 0, 0, 5, {693, 122, 0, 2, 1}},
    {30, 0, 0, 1, {101, 24, 0, 1, 0}},
    {40, 0, 0, 8, {565, 193, 0, 2, 5}},
    {50, 0, 0, 29, {1545, 711, 0, 6, 8}},
    {60, 0, 0, 2, {83, 50, 0, 0, 0}},
    {70, 0, 0, 1, {35, 24, 0, 1, 0}},
    {80, 0, 0, 5, {149, 121, 0, 2, 2}},
    {90, 0, 0, 3, {75, 72, 0, 3, 0}},
    {100, 3, 0, 51, {1272, 1276, 0, 42, 26}},
}};

}  // namespace

std::vector<uint8_t> BuildDefaultProfile() {
    std::vector<uint8_t> bytes(kProfileFileSize, 0);
    for (const auto& row : kReference) {
        ProfileRecord record;
        record.Games_Won = row.lWon;
        record.Games_Lost = row.lLost;
        record.Games_Null = row.lNull;
        record.Pairs = row.pairs;
        const RecordBytes encoded = EncodeRecord(record);
        std::copy(encoded.begin(), encoded.end(), bytes.begin() + RecordOffset(3 + row.lLevel));
    }
    return bytes;
}

}  // namespace quillon
