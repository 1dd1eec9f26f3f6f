#include "container.h"

#include <zlib.h>

#include "manifest.h"

namespace quillon::publish {

namespace {

constexpr size_t kMaxContentSize = 512u << 20;

}  // namespace

std::vector<uint8_t> MakeContainer(std::span<const uint8_t> content) {
    if (content.size() > kMaxContentSize) {
        throw PublishError("a file above 512 MiB cannot be published");
    }
    uLongf lStream = compressBound(static_cast<uLong>(content.size()));
    std::vector<uint8_t> container(lStream + 4);
    if (compress2(container.data(), &lStream, content.data(), static_cast<uLong>(content.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        throw PublishError("zlib could not compress a file");
    }
    container.resize(lStream + 4);
    const auto lSize = static_cast<uint32_t>(content.size());
    for (size_t i = 0; i < 4; ++i) container[lStream + i] = static_cast<uint8_t>(lSize >> (8 * i));
    return container;
}

}  // namespace quillon::publish
