#include "measure.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "check.h"
#include "dialogs.h"
#include "program.h"
#include "registry.h"
#include "screen.h"

namespace quillon::e2e {

namespace {

namespace fs = std::filesystem;

constexpr milliseconds kPaintPoll{5};
constexpr COLORREF kEmptyWindowColour = RGB(128, 0, 128);

struct Target {
    const char* label;
    std::wstring exe;
    const wchar_t* windowClass;
    COLORREF colour;  // of client pixel (2, 2) once the window has painted
};

struct Sample {
    double milliseconds;
    SIZE_T peakWorkingSet;
};

Sample StartOnce(const Target& target) {
    const auto start = Clock::now();
    Program program(target.exe, L"");
    HWND window = nullptr;
    WaitUntil(
        std::string(target.label) + " to paint its window",
        [&] {
            if (program.HasExited()) Fail(std::string(target.label) + " ended during start-up");
            if (!window) window = program.FindWindowOfClass(target.windowClass);
            if (!window) return false;
            POINT p{2, 2};
            ClientToScreen(window, &p);
            return ScreenPixel(p) == target.colour;
        },
        {}, kTimeout);
    const auto painted = Clock::now();
    Sample sample{std::chrono::duration<double, std::milli>(painted - start).count(),
                  program.PeakWorkingSet()};
    PostMessageW(window, WM_CLOSE, 0, 0);
    program.WaitForExit();
    return sample;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<Sample> Measure(const Target& target, int runs) {
    StartOnce(target);  // warm-up: the first start also writes the program's data files
    std::vector<Sample> samples;
    for (int i = 0; i < runs; ++i) samples.push_back(StartOnce(target));
    return samples;
}

void Print(const Target& target, const std::vector<Sample>& samples) {
    std::vector<double> times;
    SIZE_T peak = 0;
    for (const Sample& s : samples) {
        times.push_back(s.milliseconds);
        peak = std::max(peak, s.peakWorkingSet);
    }
    std::printf(
        "%-14s start-up to first paint: median %7.1f ms (min %.1f, max %.1f, %zu runs);"
        " peak working set %.1f MB\n",
        target.label, Median(times), *std::min_element(times.begin(), times.end()),
        *std::max_element(times.begin(), times.end()), samples.size(),
        static_cast<double>(peak) / (1024.0 * 1024.0));
}

}  // namespace

int MeasureStartup(const std::wstring& program, const std::wstring& emptyWindow,
                   const std::wstring& output, int runs) {
    const fs::path folder = fs::path(output) / "measure";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(program, folder / "Quillon.exe");
    fs::copy_file(emptyWindow, folder / "empty_window.exe");
    ClearSettings();

    const Target quillon{"Quillon", (folder / "Quillon.exe").wstring(), L"QuillonBoard",
                         kBoardGreen};
    const Target empty{"empty window", (folder / "empty_window.exe").wstring(),
                       L"QuillonE2eEmptyWindow", kEmptyWindowColour};
    const auto quillonSamples = Measure(quillon, runs);
    const auto emptySamples = Measure(empty, runs);
    Print(quillon, quillonSamples);
    Print(empty, emptySamples);
    std::vector<double> q, e;
    for (const Sample& s : quillonSamples) q.push_back(s.milliseconds);
    for (const Sample& s : emptySamples) e.push_back(s.milliseconds);
    std::printf("ratio of the medians (Quillon / empty window): %.2f\n", Median(q) / Median(e));
    return 0;
}

}  // namespace quillon::e2e
