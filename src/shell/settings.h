#pragma once
// The settings table and the four on/off options, read afresh from the store at every call.

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/registry_store.h"

namespace quillon {

enum SettingId : int32_t {
    SettingAIMemory = 0,
    SettingLastUpdate = 1,
    SettingCardBacks = 2,
    SettingCardSet = 3,
    SettingPlayer1Name = 4,
    SettingPlayer2Name = 5,
    SettingPlayerLanName = 6,
    SettingClock = 7,
    SettingWaitForClick = 8,
    SettingLastGame = 10,
    SettingLastIP = 11,
};

inline constexpr std::string_view kRootKey = "Software\\Freeware\\Quillon";
inline constexpr std::string_view kOptionsKey = "Software\\Freeware\\Quillon\\Options";
inline constexpr std::string_view kComputerKey = "Software\\Freeware\\Quillon\\Computer";

inline constexpr std::string_view OPTION_AUTOCHECK = "OPTION_AUTOCHECK";
inline constexpr std::string_view OPTION_FLASH = "OPTION_FLASH";
inline constexpr std::string_view OPTION_HANDCURSOR = "OPTION_HANDCURSOR";
inline constexpr std::string_view OPTION_SELECTION = "OPTION_SELECTION";

struct SettingRow {
    SettingId eId;
    std::string_view sName;
    std::string_view sKey;
    RegType eType;
    int32_t lDefault;           // for number rows
    std::string_view sDefault;  // for string rows
};

// The row of a setting number, or nullptr for a number outside the table.
const SettingRow* FindSetting(int32_t n);

class Settings {
  public:
    explicit Settings(IRegistryStore& store) : m_store(store) {}

    // As stored: a string row holding a number gives the number. Empty for unknown numbers.
    RegValue GetSetting(int32_t n) const;
    // The value converted for callers: numbers as decimal text, text as a number (0 if none).
    std::string GetSettingText(int32_t n) const;
    int32_t GetSettingNumber(int32_t n) const;
    // Writes with the row's type; a number outside the table writes nothing.
    void SaveSetting(int32_t n, const RegValue& value);

    int32_t GetOption(std::string_view sName) const;
    void SaveOption(std::string_view sName, bool b);

    IRegistryStore& Store() const { return m_store; }

  private:
    IRegistryStore& m_store;
};

}  // namespace quillon
