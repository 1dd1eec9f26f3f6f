#pragma once
// The profile file the program keeps in its Data folder: 103 records of 48 bytes, the player
// first, the computer second, then the computer per "AI Memory" level 0..100.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quillon::e2e {

inline constexpr size_t kRecordSize = 48;
inline constexpr size_t kRecordCount = 103;
inline constexpr size_t kProfileFileSize = kRecordSize * kRecordCount;

struct ProfileRecord {
    int32_t won = 0;
    int32_t lost = 0;
    int32_t null = 0;
    std::array<int32_t, 5> pairs{};  // missed, both seen, second seen, first seen, wild guess
    double averageTime = 0;
    double averageAI = 0;
};

class ProfileFile {
  public:
    // Fails unless the file exists with the size the program writes.
    static ProfileFile Load(const std::wstring& path);
    static ProfileFile FromBytes(std::vector<uint8_t> bytes, const std::string& origin);

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    ProfileRecord Player() const { return Record(1); }
    ProfileRecord Computer() const { return Record(2); }
    ProfileRecord Level(int level) const { return Record(3 + level); }
    ProfileRecord Record(int oneBased) const;

  private:
    std::vector<uint8_t> m_bytes;
};

std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
std::string Describe(const ProfileRecord& record);

}  // namespace quillon::e2e
