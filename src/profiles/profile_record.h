#pragma once
// One 48-byte profile record and the layout of profiles.dat.

#include <array>
#include <cstdint>

namespace quillon {

enum PairCategory : int32_t {
    PairMissed = 0,
    PairBothSeen = 1,
    PairSecondSeen = 2,
    PairFirstSeen = 3,
    PairWildGuess = 4,
};

enum ProfileSelector : int32_t { ProfilePlayer = 0, ProfileComputer = 4 };

inline constexpr int32_t kRecordSize = 48;
inline constexpr int32_t kLevels = 101;  // "AI Memory" 0..100
inline constexpr int32_t kRecordCount = 2 + kLevels;
inline constexpr int32_t kProfileFileSize = kRecordSize * kRecordCount;  // 4944

struct ProfileRecord {
    int32_t Games_Won = 0;
    int32_t Games_Lost = 0;
    int32_t Games_Null = 0;
    std::array<int32_t, 5> Pairs{};  // by PairCategory
    double Average_Time = 0.0;
    double Average_AI = 0.0;
    friend bool operator==(const ProfileRecord&, const ProfileRecord&) = default;
};

using RecordBytes = std::array<uint8_t, kRecordSize>;

// Little-endian integers and IEEE 754 doubles, whatever the host's byte order.
RecordBytes EncodeRecord(const ProfileRecord& record);
ProfileRecord DecodeRecord(const RecordBytes& bytes);

// Byte offset of record n (1-based): 1 player, 2 computer, 3 + L the computer at level L.
constexpr int64_t RecordOffset(int32_t lRecord) { return int64_t{kRecordSize} * (lRecord - 1); }

}  // namespace quillon
