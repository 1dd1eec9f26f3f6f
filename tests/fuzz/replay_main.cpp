// Runs a fuzz target once over every file of its corpus, so the corpus is replayed by the
// ordinary test build (with the sanitizers of that build) without the fuzzing runtime.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize);

int main(int argc, char** argv) {
    size_t lRuns = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            std::ifstream file(entry.path(), std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++lRuns;
        }
    }
    std::printf("replayed %zu inputs\n", lRuns);
    return lRuns > 0 ? 0 : 1;
}
