#include "profiles/profile_record.h"

#include <bit>
#include <cstring>

namespace quillon {

namespace {

void PutU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
void PutU64(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t GetU32(const uint8_t* p) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}
uint64_t GetU64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

}  // namespace

RecordBytes EncodeRecord(const ProfileRecord& record) {
    RecordBytes bytes{};
    PutU32(&bytes[0], static_cast<uint32_t>(record.Games_Won));
    PutU32(&bytes[4], static_cast<uint32_t>(record.Games_Lost));
    PutU32(&bytes[8], static_cast<uint32_t>(record.Games_Null));
    for (size_t i = 0; i < record.Pairs.size(); ++i)
        PutU32(&bytes[12 + 4 * i], static_cast<uint32_t>(record.Pairs[i]));
    PutU64(&bytes[32], std::bit_cast<uint64_t>(record.Average_Time));
    PutU64(&bytes[40], std::bit_cast<uint64_t>(record.Average_AI));
    return bytes;
}

ProfileRecord DecodeRecord(const RecordBytes& bytes) {
    ProfileRecord record;
    record.Games_Won = static_cast<int32_t>(GetU32(&bytes[0]));
    record.Games_Lost = static_cast<int32_t>(GetU32(&bytes[4]));
    record.Games_Null = static_cast<int32_t>(GetU32(&bytes[8]));
    for (size_t i = 0; i < record.Pairs.size(); ++i)
        record.Pairs[i] = static_cast<int32_t>(GetU32(&bytes[12 + 4 * i]));
    record.Average_Time = std::bit_cast<double>(GetU64(&bytes[32]));
    record.Average_AI = std::bit_cast<double>(GetU64(&bytes[40]));
    return record;
}

}  // namespace quillon
