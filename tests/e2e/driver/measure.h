#pragma once
#include <string>

namespace quillon::e2e {

// Starts each program `runs` times (after one warm-up start) and prints the time from
// CreateProcess to its first painted window, and the program's peak working set.
int MeasureStartup(const std::wstring& program, const std::wstring& emptyWindow,
                   const std::wstring& output, int runs);

}  // namespace quillon::e2e
