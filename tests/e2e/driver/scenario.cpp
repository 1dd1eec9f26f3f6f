#include "scenario.h"

#include <filesystem>

#include "registry.h"

namespace quillon::e2e {

namespace fs = std::filesystem;

Scenario::Scenario(const Environment& environment, std::string name)
    : m_environment(environment), m_name(std::move(name)) {
    const fs::path folder = fs::path(environment.output) / m_name;
    std::error_code error;
    fs::remove_all(folder, error);
    if (error) Fail("cannot empty " + folder.string() + ": " + error.message());
    fs::create_directories(folder);
    fs::create_directories(fs::path(environment.output) / "shots");
    fs::copy_file(environment.program, folder / "Quillon.exe");
    m_folder = folder.wstring() + L"\\";
    ClearSettings();
}

Quillon& Scenario::Start(const std::wstring& arguments) {
    m_runs.push_back(std::make_unique<Quillon>(m_folder + L"Quillon.exe", arguments));
    return *m_runs.back();
}

void Scenario::Screenshot(std::string_view suffix) const {
    const fs::path file =
        fs::path(m_environment.output) / "shots" / (m_name + std::string(suffix) + ".bmp");
    Image::CaptureWholeScreen().WriteBmp(file.wstring());
}

ProfileFile Scenario::Profile() const {
    return ProfileFile::Load(m_folder + L"Data\\profiles.dat");
}

ProfileFile Scenario::DefaultProfile() const {
    return ProfileFile::Load(m_environment.defaultProfile);
}

}  // namespace quillon::e2e
