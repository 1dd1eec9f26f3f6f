// Download throughput of the update library: clsAsyncDownload fetching one address into a file
// as the wizard does (its default bind flags, window messages processed after every progress
// notification), timed from the call to its return.
//
//   download_bench <url> <file> [runs] [platform]
// Prints "library <milliseconds>" a run; tools/measure_download.sh sets them against curl.
// With "platform" it times the system's own URLDownloadToFileW instead, the ceiling of any
// client built on the same URL monikers.

#include <urlmon.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "iupdate/win/clsAsyncDownload.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace {

struct Outcome final : quillon::iupdate::IAsyncDownloadEvents {
    void DownloadComplete(int32_t lErrNum) override { lResult = lErrNum; }
    int32_t lResult = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace quillon;
    if (argc < 3) {
        std::fprintf(stderr, "usage: download_bench <url> <file> [runs]\n");
        return 2;
    }
    const win::ScopedCoInit com;
    const std::string sUrl = win::Narrow(argv[1]), sFile = win::Narrow(argv[2]);
    const int lRuns = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
    if (argc > 4 && std::wstring(argv[4]) == L"platform") {
        for (int i = 0; i < lRuns; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const HRESULT hr = URLDownloadToFileW(nullptr, argv[1], argv[2], 0, nullptr);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            if (FAILED(hr)) {
                std::fprintf(stderr, "the transfer failed: %08lX\n",
                             static_cast<unsigned long>(hr));
                return 1;
            }
            std::printf("platform %.1f\n", took.count());
            std::fflush(stdout);
        }
        return 0;
    }
    try {
        for (int i = 0; i < lRuns; ++i) {
            Outcome outcome;
            const iupdate::AsyncDownloadPtr download = iupdate::clsAsyncDownload::Create(&outcome);
            const auto start = std::chrono::steady_clock::now();
            download->Download(sUrl, iupdate::kDownloadToFile, sFile);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            if (outcome.lResult != iupdate::kDownloadCompleted) {
                std::fprintf(stderr, "the transfer failed: %08X\n",
                             static_cast<unsigned>(outcome.lResult));
                return 1;
            }
            std::printf("library %.1f\n", took.count());
            std::fflush(stdout);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "the transfer failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
