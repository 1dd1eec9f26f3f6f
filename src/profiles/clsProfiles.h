#pragma once
// The player's and the computer's results in profiles.dat. Every object reads and writes the
// file itself; nothing is shared between objects.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "profiles/profile_file.h"
#include "profiles/profile_record.h"

namespace quillon {

class Settings;
class IErrorReporter;

// Gives the bytes of the default profile file (the "DEFAULT"/"PROFILE" resource).
using DefaultProfileSource = std::function<std::vector<uint8_t>()>;

struct ProfileContext {
    IProfileFile& file;
    const Settings& settings;
    IErrorReporter& reporter;
    DefaultProfileSource defaultContent;
};

class clsProfiles {
  public:
    // Reads the "AI Memory" level once; it selects the extended record.
    explicit clsProfiles(const ProfileContext& context);

    int32_t Games() const;
    int32_t Games_Won() const { return m_current.Games_Won; }
    void Game_WasWon();
    int32_t Games_Lost() const { return m_current.Games_Lost; }
    void Game_WasLost();
    void Game_WasNull();
    int32_t Games_Null() const { return m_current.Games_Null; }
    // Throws for a category outside 0..4.
    int32_t Game_Pairs(int32_t eWhich) const;
    int32_t Game_TotalPairs();
    double Average_Time() const { return m_current.Average_Time; }
    double Average_AI() const { return m_current.Average_AI; }
    void UpdateAverageTime(int32_t& lDuration);
    void UpdateAverageAI();
    void Update(int32_t lViewedCard1, int32_t lViewedCard2, bool bPair);
    bool CheckIfExists();
    bool LoadExtended(std::array<float, kLevels>& ratios, float& computerRatio);
    bool Load(int32_t eWhich, bool bSetAsExtended = false);
    bool Save(int32_t eWhich);
    void Clear(bool bfirst, bool bsecond);

    int32_t Level() const { return m_lLevel; }
    const ProfileRecord& Current() const { return m_current; }
    const ProfileRecord& Extended() const { return m_extended; }

  private:
    // Failures of the profile procedures are reported, not fatal, as "clsProfiles::<name>".
    template <typename Body>
    bool Handled(std::string_view sProcedure, Body&& body);

    ProfileContext m_context;
    ProfileRecord m_current;
    ProfileRecord m_extended;
    bool m_bExtended = false;
    int32_t m_lLevel = 0;
};

// The pair category of one lifted pair (counts include the current reveal).
PairCategory ClassifyPair(int32_t lViewedCard1, int32_t lViewedCard2, bool bPair);

}  // namespace quillon
