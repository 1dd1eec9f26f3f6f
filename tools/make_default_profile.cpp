// Writes the default profile file that the Windows program embeds as resource
// "DEFAULT"/"PROFILE": make_default_profile <output path>
#include <cstdio>

#include "profiles/default_profile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }
    const auto bytes = quillon::BuildDefaultProfile();
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f) {
        std::perror(argv[1]);
        return 1;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return (std::fclose(f) == 0 && ok) ? 0 : 1;
}
