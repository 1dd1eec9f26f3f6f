#pragma once
// A folder of a test's own under the temporary folder, removed with it.

#include <windows.h>

#include <filesystem>
#include <string>

namespace quillon::test {

struct TempFolder {
    TempFolder() { std::filesystem::create_directories(path); }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    static inline int lRuns = 0;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("quillon_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++lRuns));
};

}  // namespace quillon::test
