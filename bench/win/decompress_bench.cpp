// Decompression throughput of the update library (zLib_Decompress: size checks, the output
// written beside the destination, flushed to the disk and moved over it) against zlib's own
// uncompress from the same zLib.dll reading the same file and writing the output, plainly and
// flushed to the disk as the library does, in one run.
//
//   decompress_bench <compressed file> [runs]
// Prints the best time of each and the ratios of the library's throughput to zlib's.

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "iupdate/win/modzLib.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace {

using Clock = std::chrono::steady_clock;
using quillon::win::ScopedFile;

std::vector<Bytef> ReadWhole(const std::wstring& sPath) {
    const ScopedFile file(CreateFileW(sPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    GetFileSizeEx(file.Get(), &size);
    std::vector<Bytef> bytes(static_cast<size_t>(size.QuadPart));
    DWORD lRead = 0;
    ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &lRead, nullptr);
    return bytes;
}

// Read, uncompress, write: what the library does, without its checks and its safe replace.
bool DirectUncompress(decltype(&::uncompress) pUncompress, const std::wstring& sSource,
                      const std::wstring& sDestination, bool bFlush, double& dUncompressOnly) {
    const std::vector<Bytef> container = ReadWhole(sSource);
    const size_t lStream = container.size() - 4;
    const uint32_t lSize = container[lStream] | container[lStream + 1] << 8 |
                           container[lStream + 2] << 16 |
                           static_cast<uint32_t>(container[lStream + 3]) << 24;
    std::vector<Bytef> content(lSize);
    uLongf lLength = lSize;
    const auto start = Clock::now();
    const int lResult = pUncompress(content.data(), &lLength, container.data(), uLong(lStream));
    dUncompressOnly = std::chrono::duration<double>(Clock::now() - start).count();
    if (lResult != Z_OK || lLength != lSize) return false;
    const ScopedFile out(CreateFileW(sDestination.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD lWritten = 0;
    return WriteFile(out.Get(), content.data(), lSize, &lWritten, nullptr) && lWritten == lSize &&
           (!bFlush || FlushFileBuffers(out.Get()));
}

template <typename Run>
double Seconds(Run run) {
    const auto start = Clock::now();
    if (!run()) {
        std::fprintf(stderr, "decompress_bench: a run failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: decompress_bench <compressed file> [runs]\n");
        return 2;
    }
    const std::wstring sSource = argv[1];
    const int lRuns = argc > 2 ? std::max(1, _wtoi(argv[2])) : 7;
    const std::wstring sOurs = sSource + L".ours";
    const std::wstring sDirect = sSource + L".direct";

    const quillon::win::ScopedModule zlib(LoadLibraryW(quillon::iupdate::kZlibFileName));
    const auto pUncompress = reinterpret_cast<decltype(&::uncompress)>(
        reinterpret_cast<void (*)()>(GetProcAddress(zlib.Get(), "uncompress")));
    if (!pUncompress) {
        std::fprintf(stderr, "decompress_bench: zLib.dll is not beside the program\n");
        return 1;
    }

    std::vector<double> ours;
    std::vector<double> direct;
    std::vector<double> flushed;
    double dBestUncompress = 1e9;
    for (int i = 0; i < lRuns; ++i) {
        // Interleaved, so that none gets a warmer cache or a quieter machine.
        ours.push_back(Seconds([&] {
            return quillon::iupdate::zLib_Decompress(quillon::win::Narrow(sSource),
                                                     quillon::win::Narrow(sOurs));
        }));
        double dUncompress = 0;
        direct.push_back(Seconds(
            [&] { return DirectUncompress(pUncompress, sSource, sDirect, false, dUncompress); }));
        dBestUncompress = std::min(dBestUncompress, dUncompress);
        flushed.push_back(Seconds(
            [&] { return DirectUncompress(pUncompress, sSource, sDirect, true, dUncompress); }));
    }
    if (ReadWhole(sOurs) != ReadWhole(sDirect)) {
        std::fprintf(stderr, "decompress_bench: the outputs differ\n");
        return 1;
    }
    const double dMegabytes = static_cast<double>(ReadWhole(sOurs).size()) / 1e6;
    const double dOurs = *std::min_element(ours.begin(), ours.end());
    const double dDirect = *std::min_element(direct.begin(), direct.end());
    const double dFlushed = *std::min_element(flushed.begin(), flushed.end());
    std::printf("content %.1f MB, best of %d runs\n", dMegabytes, lRuns);
    std::printf("zlib uncompress alone      %7.1f ms  %7.1f MB/s\n", dBestUncompress * 1e3,
                dMegabytes / dBestUncompress);
    std::printf("zlib read+uncompress+write %7.1f ms  %7.1f MB/s\n", dDirect * 1e3,
                dMegabytes / dDirect);
    std::printf("  ... and flushed to disk  %7.1f ms  %7.1f MB/s\n", dFlushed * 1e3,
                dMegabytes / dFlushed);
    std::printf("zLib_Decompress            %7.1f ms  %7.1f MB/s\n", dOurs * 1e3,
                dMegabytes / dOurs);
    std::printf("ratio to zlib, plain write %.2fx (target >= 0.9x)\n", dDirect / dOurs);
    std::printf("ratio to zlib, flushed     %.2fx (the same durability as the library)\n",
                dFlushed / dOurs);
    DeleteFileW(sOurs.c_str());
    DeleteFileW(sDirect.c_str());
    return 0;
}
