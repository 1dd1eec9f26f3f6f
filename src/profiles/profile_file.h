#pragma once
// Where profile records live: the real profiles.dat (opened and closed per call) or memory.
// Failures throw QuillonError.

#include <cstdint>
#include <string>
#include <vector>

#include "profiles/profile_record.h"

namespace quillon {

// A damaged profile file is kept under its own name followed by this.
inline constexpr const char* kSetAsideSuffix = ".bad";

class IProfileFile {
  public:
    virtual ~IProfileFile() = default;
    virtual bool Exists() const = 0;
    virtual int64_t Length() const = 0;
    // Moves the file beside itself under the name with kSetAsideSuffix, replacing an older
    // copy there; false when the file stays where it was.
    virtual bool SetAside() = 0;
    // Creates or truncates the file with exactly these bytes.
    virtual void WriteAll(const std::vector<uint8_t>& bytes) = 0;
    // Reads records (1-based numbers) in one opening of the file.
    virtual void ReadRecords(const std::vector<int32_t>& records,
                             std::vector<ProfileRecord>& out) const = 0;
    // Writes records without truncating, creating the file when missing.
    virtual void WriteRecords(const std::vector<std::pair<int32_t, ProfileRecord>>& records) = 0;
};

class DiskProfileFile final : public IProfileFile {
  public:
    explicit DiskProfileFile(std::string sPath) : m_sPath(std::move(sPath)) {}
    bool Exists() const override;
    int64_t Length() const override;
    bool SetAside() override;
    void WriteAll(const std::vector<uint8_t>& bytes) override;
    void ReadRecords(const std::vector<int32_t>& records,
                     std::vector<ProfileRecord>& out) const override;
    void WriteRecords(const std::vector<std::pair<int32_t, ProfileRecord>>& records) override;
    const std::string& Path() const { return m_sPath; }

  private:
    std::string m_sPath;
};

// A profile file in memory, for the simulator and tests.
class MemoryProfileFile final : public IProfileFile {
  public:
    bool Exists() const override { return m_bExists; }
    int64_t Length() const override { return static_cast<int64_t>(m_bytes.size()); }
    bool SetAside() override;
    void WriteAll(const std::vector<uint8_t>& bytes) override;
    void ReadRecords(const std::vector<int32_t>& records,
                     std::vector<ProfileRecord>& out) const override;
    void WriteRecords(const std::vector<std::pair<int32_t, ProfileRecord>>& records) override;
    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    // What the last SetAside moved away.
    const std::vector<uint8_t>& SetAsideBytes() const { return m_setAside; }

  private:
    bool m_bExists = false;
    std::vector<uint8_t> m_bytes;
    std::vector<uint8_t> m_setAside;
};

}  // namespace quillon
