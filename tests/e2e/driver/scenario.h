#pragma once
// A scenario: a fresh folder with a copy of the program (so its Data folder starts empty),
// settings cleared, the runs of the program it starts, and its screenshots.

#include <memory>
#include <string>
#include <vector>

#include "profile.h"
#include "quillon.h"

namespace quillon::e2e {

struct Environment {
    std::wstring program;         // the built Quillon.exe
    std::wstring output;          // scenario folders and shots\ go here
    std::wstring defaultProfile;  // the profile file the program writes on a first run
};

class Scenario {
  public:
    Scenario(const Environment& environment, std::string name);

    const std::string& Name() const { return m_name; }
    const Environment& Env() const { return m_environment; }
    std::wstring Folder() const { return m_folder; }

    // Starts the program copy; the scenario keeps it until the scenario ends.
    Quillon& Start(const std::wstring& arguments = L"");
    // The whole screen, written to shots\<scenario><suffix>.bmp.
    void Screenshot(std::string_view suffix = "") const;

    ProfileFile Profile() const;
    ProfileFile DefaultProfile() const;

  private:
    Environment m_environment;
    std::string m_name;
    std::wstring m_folder;
    std::vector<std::unique_ptr<Quillon>> m_runs;
};

using ScenarioFunction = void (*)(Scenario&);
struct ScenarioEntry {
    const char* name;
    const char* summary;
    ScenarioFunction run;
};
const std::vector<ScenarioEntry>& AllScenarios();

}  // namespace quillon::e2e
