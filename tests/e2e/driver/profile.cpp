#include "profile.h"

#include <cstdio>
#include <cstring>

#include "check.h"
#include "shell/win/scoped.h"

namespace quillon::e2e {

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
    win::ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) Fail("cannot open " + Narrow(path));
    LARGE_INTEGER size{};
    GetFileSizeEx(file.Get(), &size);
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        Fail("cannot read " + Narrow(path));
    return bytes;
}

ProfileFile ProfileFile::Load(const std::wstring& path) {
    return FromBytes(ReadFileBytes(path), Narrow(path));
}

ProfileFile ProfileFile::FromBytes(std::vector<uint8_t> bytes, const std::string& origin) {
    if (bytes.size() != kProfileFileSize)
        Fail(origin + " holds " + std::to_string(bytes.size()) + " bytes instead of " +
             std::to_string(kProfileFileSize));
    ProfileFile file;
    file.m_bytes = std::move(bytes);
    return file;
}

ProfileRecord ProfileFile::Record(int oneBased) const {
    const uint8_t* p = m_bytes.data() + kRecordSize * static_cast<size_t>(oneBased - 1);
    ProfileRecord r;
    std::memcpy(&r.won, p + 0, 4);
    std::memcpy(&r.lost, p + 4, 4);
    std::memcpy(&r.null, p + 8, 4);
    std::memcpy(r.pairs.data(), p + 12, 20);
    std::memcpy(&r.averageTime, p + 32, 8);
    std::memcpy(&r.averageAI, p + 40, 8);
    return r;
}

std::string Describe(const ProfileRecord& r) {
    char text[200];
    std::snprintf(
        text, sizeof text,
        "won %d, lost %d, null %d, pairs %d %d %d %d %d, average time %.1f, average AI %.1f", r.won,
        r.lost, r.null, r.pairs[0], r.pairs[1], r.pairs[2], r.pairs[3], r.pairs[4], r.averageTime,
        r.averageAI);
    return text;
}

}  // namespace quillon::e2e
