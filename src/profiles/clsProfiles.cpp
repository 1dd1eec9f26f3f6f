#include "profiles/clsProfiles.h"

#include <algorithm>
#include <limits>

#include "profiles/default_profile.h"
#include "profiles/statistics_rules.h"
#include "shell/error_report.h"
#include "shell/settings.h"

namespace quillon {

namespace {

constexpr int32_t kPlayerRecord = 1;
constexpr int32_t kComputerRecord = 2;
constexpr int32_t kFirstLevelRecord = 3;

// Counters saturate into a reported failure instead of wrapping into negative statistics.
void Increment(int32_t& lCounter) {
    if (lCounter == std::numeric_limits<int32_t>::max())
        throw QuillonError(ErrOverflow, "Overflow");
    ++lCounter;
}

int32_t Checked(int64_t lValue) {
    if (lValue > std::numeric_limits<int32_t>::max() ||
        lValue < std::numeric_limits<int32_t>::min())
        throw QuillonError(ErrOverflow, "Overflow");
    return static_cast<int32_t>(lValue);
}

int32_t TotalPairs(const ProfileRecord& record) {
    int64_t total = 0;
    for (const int32_t lCount : record.Pairs) total += lCount;
    return Checked(total);
}

float PairRatio(const ProfileRecord& record) {
    return PairShare(TotalPairs(record), record.Pairs[PairMissed]);
}

int32_t RecordOf(int32_t eWhich) {
    if (eWhich == ProfilePlayer) return kPlayerRecord;
    if (eWhich == ProfileComputer) return kComputerRecord;
    return 0;
}

double HalveInto(double average, double value) {
    return average == 0.0 ? value : (value + average) / 2.0;
}

}  // namespace

PairCategory ClassifyPair(int32_t lViewedCard1, int32_t lViewedCard2, bool bPair) {
    if (!bPair) return PairMissed;
    if (lViewedCard1 == 1 && lViewedCard2 == 1) return PairWildGuess;
    if (lViewedCard2 == 1) return PairFirstSeen;
    if (lViewedCard1 == 1) return PairSecondSeen;
    return PairBothSeen;
}

clsProfiles::clsProfiles(const ProfileContext& context) : m_context(context) {
    // A level outside 0..100 would address a record beyond the end of the file.
    m_lLevel = std::clamp(m_context.settings.GetSettingNumber(SettingAIMemory), 0, kLevels - 1);
}

int32_t clsProfiles::Games() const {
    return Checked(int64_t{m_current.Games_Won} + m_current.Games_Lost + m_current.Games_Null);
}

void clsProfiles::Game_WasWon() {
    Increment(m_current.Games_Won);
    Increment(m_extended.Games_Won);
}

void clsProfiles::Game_WasLost() {
    Increment(m_current.Games_Lost);
    Increment(m_extended.Games_Lost);
}

void clsProfiles::Game_WasNull() {
    Increment(m_current.Games_Null);
    Increment(m_extended.Games_Null);
}

int32_t clsProfiles::Game_Pairs(int32_t eWhich) const {
    if (eWhich < PairMissed || eWhich > PairWildGuess)
        throw QuillonError(ErrSubscriptOutOfRange, "Subscript out of range");
    return m_current.Pairs[static_cast<size_t>(eWhich)];
}

template <typename Body>
bool clsProfiles::Handled(std::string_view sProcedure, Body&& body) {
    return quillon::Handled(m_context.reporter, "clsProfiles", sProcedure, false,
                            std::forward<Body>(body));
}

int32_t clsProfiles::Game_TotalPairs() {
    int32_t lTotal = 0;
    Handled("Game_TotalPairs", [&] { lTotal = TotalPairs(m_current); });
    return lTotal;
}

void clsProfiles::UpdateAverageTime(int32_t& lDuration) {
    if (lDuration < 0) lDuration = 0;
    m_current.Average_Time = HalveInto(m_current.Average_Time, lDuration);
}

void clsProfiles::UpdateAverageAI() {
    const int32_t v = m_context.settings.GetSettingNumber(SettingAIMemory);
    m_current.Average_AI = HalveInto(m_current.Average_AI, v);
}

void clsProfiles::Update(int32_t lViewedCard1, int32_t lViewedCard2, bool bPair) {
    Handled("Update", [&] {
        const auto category = static_cast<size_t>(ClassifyPair(lViewedCard1, lViewedCard2, bPair));
        Increment(m_current.Pairs[category]);
        Increment(m_extended.Pairs[category]);
    });
}

bool clsProfiles::CheckIfExists() {
    return Handled("CheckIfExists", [&] {
        IProfileFile& file = m_context.file;
        for (;;) {
            if (!file.Exists()) {
                std::vector<uint8_t> bytes =
                    m_context.defaultContent ? m_context.defaultContent() : BuildDefaultProfile();
                if (bytes.size() != static_cast<size_t>(kProfileFileSize))
                    throw QuillonError(ErrBadFileName, "The default profile is damaged.");
                file.WriteAll(bytes);
                return;
            }
            if (file.Length() == kProfileFileSize) return;
            // The damaged file is kept beside the new one, so records a player might still
            // recover are never thrown away; one that cannot be moved is left as it is and
            // the program still starts.
            if (!file.SetAside()) return;
        }
    });
}

bool clsProfiles::LoadExtended(std::array<float, kLevels>& ratios, float& computerRatio) {
    return Handled("LoadExtended", [&] {
        ratios.fill(0.0f);
        if (!m_context.file.Exists()) return;
        std::vector<int32_t> records(kRecordCount - 1);
        for (int32_t i = 0; i < kRecordCount - 1; ++i) records[i] = kComputerRecord + i;
        std::vector<ProfileRecord> read;
        m_context.file.ReadRecords(records, read);
        if (TotalPairs(read[0]) != 0) computerRatio = PairRatio(read[0]);
        for (int32_t lLevel = 0; lLevel < kLevels; ++lLevel)
            ratios[lLevel] = PairRatio(read[1 + lLevel]);
        m_current = read.back();
    });
}

bool clsProfiles::Load(int32_t eWhich, bool bSetAsExtended) {
    return Handled("Load", [&] {
        m_bExtended = bSetAsExtended;
        if (!m_context.file.Exists()) return;
        std::vector<int32_t> records;
        const int32_t lRecord = RecordOf(eWhich);
        if (lRecord != 0) records.push_back(lRecord);
        if (m_bExtended) records.push_back(kFirstLevelRecord + m_lLevel);
        if (records.empty()) return;
        std::vector<ProfileRecord> read;
        m_context.file.ReadRecords(records, read);
        size_t next = 0;
        if (lRecord != 0) m_current = read[next++];
        if (m_bExtended) m_extended = read[next];
    });
}

bool clsProfiles::Save(int32_t eWhich) {
    try {
        std::vector<std::pair<int32_t, ProfileRecord>> records;
        const int32_t lRecord = RecordOf(eWhich);
        if (lRecord != 0) records.emplace_back(lRecord, m_current);
        if (m_bExtended) records.emplace_back(kFirstLevelRecord + m_lLevel, m_extended);
        if (!records.empty()) m_context.file.WriteRecords(records);
        return true;
    } catch (...) {
        return false;  // the engine ignores the result and a save failure shows no message
    }
}

void clsProfiles::Clear(bool bfirst, bool bsecond) {
    Handled("Clear", [&] {
        if (!m_context.file.Exists()) return;
        std::vector<std::pair<int32_t, ProfileRecord>> records;
        if (bfirst) records.emplace_back(kPlayerRecord, ProfileRecord{});
        if (bsecond) records.emplace_back(kComputerRecord, ProfileRecord{});
        if (!records.empty()) m_context.file.WriteRecords(records);
    });
}

}  // namespace quillon
