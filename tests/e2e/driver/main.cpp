// quillon_e2e: works the real program under Wine as a person would.
//   quillon_e2e run <Quillon.exe> <output folder> <default profiles.dat> <scenario>
//   quillon_e2e measure <Quillon.exe> <empty_window.exe> <output folder> [pairs]
//   quillon_e2e install <Quillon-Setup-<version>.exe> <output folder>
//   quillon_e2e list
// Exit code 0 when the scenario passed, 1 when it failed, 2 on a usage error.

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "driver.h"
#include "shell/win/text.h"

namespace quillon::e2e {
namespace {

// Milliseconds until client pixel (2, 2) of the window of that class shows its colour.
double StartOnce(const std::wstring& exe, const wchar_t* windowClass, COLORREF colour) {
    const auto start = Clock::now();
    Program program(exe, L"");
    HWND window = nullptr;
    // Light polling, so that the driver does not compete with the program for Wine's server.
    program.Wait(
        Narrow(exe) + " to paint its window",
        [&] {
            if (!window) window = FindWindowW(windowClass, nullptr);
            POINT p{2, 2};
            win::ScopedGetDC screen(nullptr);
            return window && ClientToScreen(window, &p) &&
                   GetPixel(screen.Get(), p.x, p.y) == colour;
        },
        {}, kTimeout, Program::Boxes::Allowed, milliseconds(5));
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    PostMessageW(window, WM_CLOSE, 0, 0);
    program.WaitForExit();
    return ms;
}

// The program and the empty window started in turn, each timed from CreateProcess to its first
// painted window; tools/measure_startup.sh sums the pairs up.
void MeasureStartup(const std::wstring& program, const std::wstring& emptyWindow,
                    const std::wstring& output, int pairs) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(output) / "measure";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(program, folder / "Quillon.exe");
    fs::copy_file(emptyWindow, folder / "empty_window.exe");
    RegDeleteTreeW(HKEY_CURRENT_USER, win::Widen(kRootKey).c_str());
    const auto quillon = [&] {
        return StartOnce((folder / "Quillon.exe").wstring(), L"QuillonBoard", RGB(0, 128, 0));
    };
    const auto empty = [&] {
        return StartOnce((folder / "empty_window.exe").wstring(), L"QuillonE2eEmptyWindow",
                         RGB(128, 0, 128));
    };
    // The first start also writes the program's data files and fills Wine's caches.
    quillon();
    empty();
    for (int i = 1; i <= pairs; ++i) {
        const double q = quillon(), e = empty();
        std::printf("pair %d: Quillon %.1f ms, empty window %.1f ms\n", i, q, e);
        std::fflush(stdout);
    }
}

bool RunScenario(const Environment& environment, const ScenarioEntry& entry) {
    std::printf("[ RUN  ] %s: %s\n", entry.name, entry.summary);
    std::fflush(stdout);
    const auto start = Clock::now();
    std::string failure;
    try {
        Scenario scenario(environment, entry.name);
        try {
            entry.run(scenario);
        } catch (const Failure&) {
            scenario.Screenshot("-failure");  // the program is still on the screen here
            throw;
        }
    } catch (const std::exception& e) {
        failure = e.what();
    }
    const auto seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("[ %s ] %s (%.1f s)%s%s\n", failure.empty() ? " OK " : "FAIL", entry.name, seconds,
                failure.empty() ? "" : ": ", failure.c_str());
    std::fflush(stdout);
    return failure.empty();
}

}  // namespace
}  // namespace quillon::e2e

using namespace quillon::e2e;

int wmain(int argc, wchar_t** argv) {
    // The driver reads the program's windows and pixels as they are, whatever the screen's scale.
    SetProcessDPIAware();
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    const std::wstring mode = args.empty() ? L"" : args[0];
    const auto& all = AllScenarios();
    if (mode == L"list" && args.size() == 1) {
        for (const ScenarioEntry& entry : all) std::printf("%-16s %s\n", entry.name, entry.summary);
        return 0;
    }
    const auto entry = std::find_if(all.begin(), all.end(), [&](const ScenarioEntry& e) {
        return args.size() == 5 && Narrow(args[4]) == e.name;
    });
    if (mode == L"run" && entry != all.end())
        return RunScenario({args[1], args[2], args[3]}, *entry) ? 0 : 1;
    if (mode == L"install" && args.size() == 3) return RunInstallScenario(args[1], args[2]);
    if (mode == L"measure" && (args.size() == 4 || args.size() == 5)) {
        try {
            MeasureStartup(args[1], args[2], args[3], args.size() == 5 ? std::stoi(args[4]) : 15);
            return 0;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "measurement failed: %s\n", e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "usage: quillon_e2e run|measure|list, as main.cpp describes\n");
    return 2;
}
