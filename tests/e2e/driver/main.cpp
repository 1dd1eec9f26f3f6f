// quillon_e2e: works the real program under Wine as a person would.
//
//   quillon_e2e run <Quillon.exe> <output folder> <default profiles.dat> <scenario>...
//   quillon_e2e measure <Quillon.exe> <empty_window.exe> <output folder> [runs]
//   quillon_e2e list
//
// Exit code 0 when every scenario passed, 1 when one failed, 2 on a usage error.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "check.h"
#include "measure.h"
#include "scenario.h"

using namespace quillon::e2e;

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: quillon_e2e run <Quillon.exe> <output folder> <default profiles.dat> "
                 "<scenario>...\n"
                 "       quillon_e2e measure <Quillon.exe> <empty_window.exe> <output folder> "
                 "[runs]\n"
                 "       quillon_e2e list\n");
    return 2;
}

const ScenarioEntry* FindScenario(const std::string& name) {
    for (const ScenarioEntry& entry : AllScenarios())
        if (name == entry.name) return &entry;
    return nullptr;
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
    if (failure.empty()) {
        std::printf("[  OK  ] %s (%.1f s)\n", entry.name, seconds);
    } else {
        std::printf("[ FAIL ] %s (%.1f s): %s\n", entry.name, seconds, failure.c_str());
    }
    std::fflush(stdout);
    return failure.empty();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == L"list") {
        for (const ScenarioEntry& entry : AllScenarios())
            std::printf("%-16s %s\n", entry.name, entry.summary);
        return 0;
    }
    if (args.size() >= 5 && args[0] == L"run") {
        const Environment environment{args[1], args[2], args[3]};
        std::vector<const ScenarioEntry*> chosen;
        for (size_t i = 4; i < args.size(); ++i) {
            const ScenarioEntry* entry = FindScenario(Narrow(args[i]));
            if (!entry) {
                std::fprintf(stderr, "unknown scenario %s\n", Narrow(args[i]).c_str());
                return Usage();
            }
            chosen.push_back(entry);
        }
        int failed = 0;
        for (const ScenarioEntry* entry : chosen) failed += !RunScenario(environment, *entry);
        return failed ? 1 : 0;
    }
    if ((args.size() == 4 || args.size() == 5) && args[0] == L"measure") {
        const int runs = args.size() == 5 ? std::stoi(args[4]) : 5;
        try {
            return MeasureStartup(args[1], args[2], args[3], runs);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "measurement failed: %s\n", e.what());
            return 1;
        }
    }
    return Usage();
}
