#include "iupdate/win/modzLib.h"

#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "iupdate/compressed_file.h"
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

// The core's container check bounds the stated size; the stream itself is read into memory
// and handed to zlib with a 32-bit length, so it is bounded too: a stream holding at most
// kMaxUncompressedSize bytes is never much longer than that (stored blocks add 5 bytes per
// 64 KiB).
constexpr uint64_t kMaxStreamLength =
    static_cast<uint64_t>(kMaxUncompressedSize) + kMaxUncompressedSize / 64;

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
    if (length.QuadPart <= static_cast<LONGLONG>(kSizeFieldBytes)) return std::nullopt;

    uint8_t trailer[kSizeFieldBytes] = {};
    LARGE_INTEGER offset{};
    offset.QuadPart = length.QuadPart - static_cast<LONGLONG>(kSizeFieldBytes);
    if (!SetFilePointerEx(file.Get(), offset, nullptr, FILE_BEGIN) ||
        !ReadExactly(file.Get(), trailer, sizeof trailer)) {
        ThrowFileError("Cannot read", sSource);
    }
    const ContainerLayout layout =
        CheckCompressedFile(static_cast<uint64_t>(length.QuadPart), StatedSize(trailer));
    if (layout.eProblem != ContainerProblem::None || layout.lStreamLength > kMaxStreamLength) {
        return std::nullopt;
    }
    const uint64_t lStreamLength = layout.lStreamLength;

    Container container{std::vector<Bytef>(lStreamLength),
                        static_cast<uint32_t>(layout.lExpectedSize)};
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
