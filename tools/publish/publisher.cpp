#include "publisher.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <iterator>
#include <vector>

#include "container.h"
#include "descriptor_writer.h"
#include "manifest.h"
#include "pe_version.h"
#include "shell/dates.h"
#include "signing.h"

namespace quillon::publish {

namespace fs = std::filesystem;

namespace {

// Relative to BASEURL. Not empty on purpose: the wizard puts a "/" after the path, and an empty
// one would give a doubled slash that the server refuses.
constexpr std::string_view kRemoteFolder = "files";

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw PublishError("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteWhole(const fs::path& path, std::string_view bytes) {
    const fs::path partial = path.string() + ".part";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file) throw PublishError("cannot write " + partial.string());
    }
    fs::rename(partial, path);
}

DateRec LocalDate(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    const CalendarDate date = ToCalendarDate(local);
    return {date.lDay, date.lMonth, date.lYear};
}

DateRec WriteDate(const fs::path& path) {
    const auto written = std::chrono::file_clock::to_sys(fs::last_write_time(path));
    return LocalDate(std::chrono::system_clock::to_time_t(written));
}

// The version the library reads of the installed file: major, minor, and the release composed
// from build and revision.
VersionRec PublishedVersion(const ManifestFile& entry, std::span<const uint8_t> bytes) {
    if (entry.version) return *entry.version;
    const auto parts = FileVersionOf(bytes);
    if (!parts) return {};
    return ComposeFileVersion(static_cast<int16_t>((*parts)[0]), static_cast<int16_t>((*parts)[1]),
                              static_cast<int16_t>((*parts)[2]), static_cast<int16_t>((*parts)[3]))
        .version;
}

// The product version as the game reports its own: major, minor and the third part.
VersionRec ProductVersion(const Manifest& manifest, const fs::path& input) {
    if (const auto version = ParseVersion(manifest.sProductVersion)) return *version;
    const auto parts = FileVersionOf(ReadBytes(input / manifest.sProductVersion));
    if (!parts) {
        throw PublishError("product_version: " + manifest.sProductVersion + " has no version");
    }
    return {(*parts)[0], (*parts)[1], (*parts)[2]};
}

std::string ReadText(const fs::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

}  // namespace

fs::path Publish(const PublishOptions& options) {
    const Manifest manifest = ParseManifest(ReadText(options.manifest));
    DescriptorContent content{options.sUrl.empty() ? manifest.sUrl : options.sUrl,
                              options.sBaseUrl.empty() ? manifest.sBaseUrl : options.sBaseUrl,
                              LocalDate(std::time(nullptr)),
                              ProductVersion(manifest, options.input),
                              {}};
    const fs::path folder = options.output / kRemoteFolder;
    fs::create_directories(folder);
    for (const ManifestFile& entry : manifest.files) {
        const fs::path source = options.input / entry.sSource;
        const std::vector<uint8_t> bytes = ReadBytes(source);
        const std::vector<uint8_t> container = MakeContainer(bytes);
        WriteWhole(
            folder / entry.sSource,
            std::string_view(reinterpret_cast<const char*>(container.data()), container.size()));
        content.files.push_back(
            {entry, PublishedVersion(entry, bytes), entry.date ? *entry.date : WriteDate(source),
             static_cast<int32_t>(bytes.size()), std::string(kRemoteFolder), entry.sSource,
             static_cast<int32_t>(container.size()), Sha256Hex(container)});
    }
    const std::string sSigned = DescriptorText(content);
    const fs::path descriptor = options.output / options.sDescriptorName;
    WriteWhole(descriptor, sSigned + SignatureLine(SignP256(options.key, sSigned)));
    return descriptor;
}

}  // namespace quillon::publish
