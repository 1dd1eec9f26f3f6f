#include "profiles/profile_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "shell/error_report.h"

namespace quillon {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void FailAccess(const std::string& sPath) {
    throw QuillonError(ErrPathFileAccess, "Path/File access error: " + sPath);
}

FilePtr Open(const std::string& sPath, const char* mode) {
    return FilePtr(std::fopen(sPath.c_str(), mode));
}

// Size of a regular file, or -1 when the path is missing or names something else.
int64_t RegularFileSize(const std::string& sPath) {
#ifdef _WIN32
    struct _stat64 info {};
    if (_stat64(sPath.c_str(), &info) != 0) return -1;
#else
    struct stat info {};
    if (stat(sPath.c_str(), &info) != 0) return -1;
#endif
    if (!S_ISREG(info.st_mode)) return -1;
    return static_cast<int64_t>(info.st_size);
}

void CheckRecordNumber(int32_t lRecord) {
    if (lRecord < 1 || lRecord > kRecordCount)
        throw QuillonError(ErrSubscriptOutOfRange, "Profile record out of range");
}

}  // namespace

bool DiskProfileFile::Exists() const { return RegularFileSize(m_sPath) >= 0; }

int64_t DiskProfileFile::Length() const {
    const int64_t size = RegularFileSize(m_sPath);
    if (size < 0) FailAccess(m_sPath);
    return size;
}

bool DiskProfileFile::Delete() { return std::remove(m_sPath.c_str()) == 0; }

void DiskProfileFile::WriteAll(const std::vector<uint8_t>& bytes) {
    FilePtr file = Open(m_sPath, "wb");
    if (!file) FailAccess(m_sPath);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fflush(file.get()) != 0)
        FailAccess(m_sPath);
}

void DiskProfileFile::ReadRecords(const std::vector<int32_t>& records,
                                  std::vector<ProfileRecord>& out) const {
    FilePtr file = Open(m_sPath, "rb");
    if (!file) FailAccess(m_sPath);
    out.clear();
    for (const int32_t lRecord : records) {
        CheckRecordNumber(lRecord);
        RecordBytes bytes{};
        if (std::fseek(file.get(), static_cast<long>(RecordOffset(lRecord)), SEEK_SET) != 0 ||
            std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
            throw QuillonError(ErrInputPastEnd, "Input past end of file: " + m_sPath);
        out.push_back(DecodeRecord(bytes));
    }
}

void DiskProfileFile::WriteRecords(
    const std::vector<std::pair<int32_t, ProfileRecord>>& records) {
    FilePtr file = Open(m_sPath, "r+b");
    if (!file && !Exists()) file = Open(m_sPath, "w+b");
    if (!file) FailAccess(m_sPath);
    for (const auto& [lRecord, record] : records) {
        CheckRecordNumber(lRecord);
        const RecordBytes bytes = EncodeRecord(record);
        if (std::fseek(file.get(), static_cast<long>(RecordOffset(lRecord)), SEEK_SET) != 0 ||
            std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
            FailAccess(m_sPath);
    }
    if (std::fflush(file.get()) != 0) FailAccess(m_sPath);
}

bool MemoryProfileFile::Delete() {
    if (!m_bExists) return false;
    m_bExists = false;
    m_bytes.clear();
    return true;
}

void MemoryProfileFile::WriteAll(const std::vector<uint8_t>& bytes) {
    m_bExists = true;
    m_bytes = bytes;
}

void MemoryProfileFile::ReadRecords(const std::vector<int32_t>& records,
                                    std::vector<ProfileRecord>& out) const {
    if (!m_bExists) throw QuillonError(ErrPathFileAccess, "Path/File access error");
    out.clear();
    for (const int32_t lRecord : records) {
        CheckRecordNumber(lRecord);
        const auto offset = static_cast<size_t>(RecordOffset(lRecord));
        if (offset + kRecordSize > m_bytes.size())
            throw QuillonError(ErrInputPastEnd, "Input past end of file");
        RecordBytes bytes{};
        std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), kRecordSize,
                    bytes.begin());
        out.push_back(DecodeRecord(bytes));
    }
}

void MemoryProfileFile::WriteRecords(
    const std::vector<std::pair<int32_t, ProfileRecord>>& records) {
    m_bExists = true;
    for (const auto& [lRecord, record] : records) {
        CheckRecordNumber(lRecord);
        const auto offset = static_cast<size_t>(RecordOffset(lRecord));
        if (m_bytes.size() < offset + kRecordSize) m_bytes.resize(offset + kRecordSize, 0);
        const RecordBytes bytes = EncodeRecord(record);
        std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    }
}

}  // namespace quillon
