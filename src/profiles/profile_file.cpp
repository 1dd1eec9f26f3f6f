#include "profiles/profile_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "shell/error_report.h"

namespace quillon {

namespace {

namespace fs = std::filesystem;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void FailAccess(const std::string& sPath) {
    throw QuillonError(ErrPathFileAccess, "Path/File access error: " + sPath);
}

// Paths are UTF-8. On Windows the C library's narrow functions would read them in the ANSI
// code page and miss a folder such as "Jeux\Mémoire"; a path built from UTF-8 carries the
// UTF-16 name the wide functions need.
fs::path NativePath(const std::string& sPath) {
    return fs::path(std::u8string(sPath.begin(), sPath.end()));
}

FilePtr Open(const std::string& sPath, const char* mode) {
#ifdef _WIN32
    const std::wstring wMode(mode, mode + std::strlen(mode));
    return FilePtr(_wfopen(NativePath(sPath).c_str(), wMode.c_str()));
#else
    return FilePtr(std::fopen(NativePath(sPath).c_str(), mode));
#endif
}

// Size of a regular file, or -1 when the path is missing or names something else.
int64_t RegularFileSize(const std::string& sPath) {
    std::error_code error;
    const fs::path path = NativePath(sPath);
    if (!fs::is_regular_file(path, error)) return -1;
    const uintmax_t size = fs::file_size(path, error);
    return error ? -1 : static_cast<int64_t>(size);
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

bool DiskProfileFile::SetAside() {
    std::error_code error;
    const fs::path path = NativePath(m_sPath);
    const fs::path bad = NativePath(m_sPath + kSetAsideSuffix);
    // Replaces an older copy, on Windows as well (the library moves with replacement there).
    fs::rename(path, bad, error);
    return !error;
}

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

void DiskProfileFile::WriteRecords(const std::vector<std::pair<int32_t, ProfileRecord>>& records) {
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

bool MemoryProfileFile::SetAside() {
    if (!m_bExists) return false;
    m_bExists = false;
    m_setAside = std::move(m_bytes);
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
        std::copy(bytes.begin(), bytes.end(),
                  m_bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    }
}

}  // namespace quillon
