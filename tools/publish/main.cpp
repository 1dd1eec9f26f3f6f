// quillon-publish: writes an update of a folder of built files for the maker's server.
//
//   quillon-publish --manifest FILE --input FOLDER --output FOLDER --key KEY.pem
//                   [--base-url URL] [--url URL] [--descriptor NAME]

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>

#include "publisher.h"

namespace {

constexpr const char* kUsage =
    "usage: quillon-publish --manifest FILE --input FOLDER --output FOLDER --key KEY.pem\n"
    "                       [--base-url URL] [--url URL] [--descriptor NAME]\n";

}  // namespace

int main(int argc, char** argv) {
    quillon::publish::PublishOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view sOption = argv[i];
        if (i + 1 >= argc) {
            std::fputs(kUsage, stderr);
            return 2;
        }
        const char* szValue = argv[++i];
        if (sOption == "--manifest") {
            options.manifest = szValue;
        } else if (sOption == "--input") {
            options.input = szValue;
        } else if (sOption == "--output") {
            options.output = szValue;
        } else if (sOption == "--key") {
            options.key = szValue;
        } else if (sOption == "--base-url") {
            options.sBaseUrl = szValue;
        } else if (sOption == "--url") {
            options.sUrl = szValue;
        } else if (sOption == "--descriptor") {
            options.sDescriptorName = szValue;
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (options.manifest.empty() || options.input.empty() || options.output.empty() ||
        options.key.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        const auto descriptor = quillon::publish::Publish(options);
        std::printf("published %s\n", descriptor.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillon-publish: %s\n", e.what());
        return 1;
    }
}
