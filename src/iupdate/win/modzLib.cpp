#include "iupdate/win/modzLib.h"

#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "iupdate/win/library_report.h"
#include "iupdate/win/module.h"
#include "shell/error_report.h"
#include "shell/win/replace_file.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::iupdate {

namespace {

// The numbers a missing library and a missing entry point carry in the library's reports.
constexpr int32_t kErrFileNotFound = 53;
constexpr int32_t kErrNoEntryPoint = 453;

constexpr uint64_t kMaxContentSize = 512ULL << 20;
// zlib never expands more than 1032 to 1.
constexpr uint64_t kMaxRatio = 1032;
// Stored blocks make a stream at most a few bytes per 64 KiB longer than its content.
constexpr uint64_t kMaxStreamLength = kMaxContentSize + kMaxContentSize / 64;

// Until the core's container check is on main: the stated size, when it can be believed of a
// stream of that length.
std::optional<uint32_t> ContentSize(uint64_t lStreamLength, int32_t lStated) {
    if (lStated < 0 || lStreamLength > kMaxStreamLength) return std::nullopt;
    const auto lSize = static_cast<uint64_t>(lStated);
    if (lSize > kMaxContentSize || lSize > kMaxRatio * lStreamLength) return std::nullopt;
    return static_cast<uint32_t>(lSize);
}

[[noreturn]] void ThrowFileError(std::string_view sWhat, std::string_view sPath) {
    throw QuillonError(ErrPathFileAccess,
                       std::string(sWhat) + " " + std::string(sPath) + ": Path/File access error");
}

class Zlib {
  public:
    Zlib() {
        const std::wstring sLibrary = ModulePath();
        const std::wstring sPath =
            sLibrary.substr(0, sLibrary.find_last_of(L"\\/") + 1) + kZlibFileName;
        m_module.Reset(LoadLibraryExW(sPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
        if (!m_module) {
            throw QuillonError(kErrFileNotFound, "File not found: " + win::Narrow(sPath));
        }
        // FARPROC goes through the generic function pointer type to the entry's own type.
        m_uncompress = reinterpret_cast<decltype(&::uncompress)>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_module.Get(), "uncompress")));
        if (!m_uncompress) {
            throw QuillonError(kErrNoEntryPoint, "Can't find DLL entry point uncompress in " +
                                                     win::Narrow(kZlibFileName));
        }
    }

    // True when the stream decompresses to exactly content.size() bytes.
    bool Uncompress(std::vector<Bytef>& content, const std::vector<Bytef>& stream) const {
        uLongf lLength = static_cast<uLongf>(content.size());
        // zlib wants a buffer even for an empty content.
        Bytef empty = 0;
        Bytef* pOut = content.empty() ? &empty : content.data();
        return m_uncompress(pOut, &lLength, stream.data(), static_cast<uLong>(stream.size())) ==
                   Z_OK &&
               lLength == content.size();
    }

  private:
    win::ScopedModule m_module;
    decltype(&::uncompress) m_uncompress = nullptr;
};

bool ReadExactly(HANDLE hFile, void* pData, DWORD lLength) {
    DWORD lRead = 0;
    return ReadFile(hFile, pData, lLength, &lRead, nullptr) && lRead == lLength;
}

// The stream and the stated content size of a compressed file, or nothing when the file is no
// container this library accepts.
struct Container {
    std::vector<Bytef> stream;
    uint32_t lContentSize;
};

std::optional<Container> ReadContainer(std::string_view sSource) {
    const win::ScopedFile file(CreateFileW(win::Widen(sSource).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER length{};
    if (!file || !GetFileSizeEx(file.Get(), &length)) ThrowFileError("Cannot read", sSource);
    if (length.QuadPart < 5) return std::nullopt;
    const uint64_t lStreamLength = static_cast<uint64_t>(length.QuadPart) - 4;

    uint8_t trailer[4] = {};
    LARGE_INTEGER offset{};
    offset.QuadPart = static_cast<LONGLONG>(lStreamLength);
    if (!SetFilePointerEx(file.Get(), offset, nullptr, FILE_BEGIN) ||
        !ReadExactly(file.Get(), trailer, sizeof trailer)) {
        ThrowFileError("Cannot read", sSource);
    }
    const auto lStated = static_cast<int32_t>(trailer[0] | trailer[1] << 8 | trailer[2] << 16 |
                                              static_cast<uint32_t>(trailer[3]) << 24);
    const std::optional<uint32_t> lContentSize = ContentSize(lStreamLength, lStated);
    if (!lContentSize) return std::nullopt;

    Container container{std::vector<Bytef>(lStreamLength), *lContentSize};
    offset.QuadPart = 0;
    if (!SetFilePointerEx(file.Get(), offset, nullptr, FILE_BEGIN) ||
        !ReadExactly(file.Get(), container.stream.data(), static_cast<DWORD>(lStreamLength))) {
        ThrowFileError("Cannot read", sSource);
    }
    return container;
}

// Writes the content beside the destination, with its data on the disk, and moves it over the
// destination. False when the destination cannot be replaced (held by another process).
bool WriteAndMoveOver(std::string_view sDestination, const std::vector<Bytef>& content) {
    const std::wstring wDestination = win::Widen(sDestination);
    const std::wstring wSibling = win::SiblingTempFile(wDestination);
    if (wSibling.empty()) ThrowFileError("Cannot write beside", sDestination);
    bool bWritten = false;
    {
        const win::ScopedFile file(CreateFileW(wSibling.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD lWritten = 0;
        bWritten = file &&
                   WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()),
                             &lWritten, nullptr) &&
                   lWritten == content.size() && FlushFileBuffers(file.Get());
    }
    if (bWritten && win::MoveOver(wSibling, wDestination) == ERROR_SUCCESS) return true;
    DeleteFileW(wSibling.c_str());
    if (!bWritten) ThrowFileError("Cannot write beside", sDestination);
    return false;
}

}  // namespace

bool zLib_Decompress(std::string_view sSource, std::string_view sDestination) {
    bool bResult = false;
    Handled(Reporter(), "modzLib", "zLib_Decompress", true, [&] {
        const Zlib zlib;
        std::optional<Container> container = ReadContainer(sSource);
        if (!container) return;
        std::vector<Bytef> content(container->lContentSize);
        if (!zlib.Uncompress(content, container->stream)) return;
        container.reset();  // the stream's memory is not needed while writing
        bResult = WriteAndMoveOver(sDestination, content);
    });
    return bResult;
}

}  // namespace quillon::iupdate
