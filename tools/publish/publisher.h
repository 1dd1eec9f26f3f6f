#pragma once
// Publishing an update: the manifest's files compressed into the output folder, and the signed
// descriptor that names them.

#include <filesystem>
#include <string>

namespace quillon::publish {

struct PublishOptions {
    std::filesystem::path manifest;
    std::filesystem::path input;   // the folder of built files the manifest names
    std::filesystem::path output;  // served below /updates/
    std::filesystem::path key;     // PEM file of the P-256 private key
    std::string sDescriptorName = "quillon_2.xml";
    std::string sBaseUrl;  // instead of the manifest's, when not empty
    std::string sUrl;      // instead of the manifest's, when not empty
};

// The compressed files below <output>/files/, then <output>/<descriptor name>, each written
// whole under a temporary name and renamed, so the server never answers a half-written file.
// Throws PublishError (or a filesystem error) on anything it cannot publish. Returns the
// descriptor's path.
std::filesystem::path Publish(const PublishOptions& options);

}  // namespace quillon::publish
