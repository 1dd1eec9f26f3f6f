#include "shell/settings.h"

#include <array>
#include <charconv>

namespace quillon {

namespace {

constexpr std::array<SettingRow, 11> kSettings{{
    {SettingAIMemory, "AI Memory", kComputerKey, RegType::Number, 50, ""},
    {SettingLastUpdate, "Last Update", kRootKey, RegType::Number, 0, ""},
    {SettingCardBacks, "Card Backs", kOptionsKey, RegType::String, 0, "Default"},
    {SettingCardSet, "Card Set", kOptionsKey, RegType::String, 0, "Default"},
    {SettingPlayer1Name, "Player 1 Name", kOptionsKey, RegType::String, 0, ""},
    {SettingPlayer2Name, "Player 2 Name", kOptionsKey, RegType::String, 0, ""},
    {SettingPlayerLanName, "Player Lan Name", kOptionsKey, RegType::String, 0, ""},
    {SettingClock, "Clock", kOptionsKey, RegType::Number, 150, ""},
    {SettingWaitForClick, "Wait for click", kOptionsKey, RegType::Number, 1, ""},
    {SettingLastGame, "Last Game", kOptionsKey, RegType::Number, 2, ""},
    {SettingLastIP, "Last IP", kOptionsKey, RegType::String, 0, "127.0.0.1"},
}};

RegValue RowDefault(const SettingRow& row) {
    if (row.eType == RegType::Number) return row.lDefault;
    return std::string(row.sDefault);
}

}  // namespace

const SettingRow* FindSetting(int32_t n) {
    for (const auto& row : kSettings)
        if (row.eId == n) return &row;
    return nullptr;
}

RegValue Settings::GetSetting(int32_t n) const {
    const SettingRow* row = FindSetting(n);
    if (!row) return {};
    // "Player Lan Name" follows "Player 1 Name" until it has been written once.
    const RegValue def =
        n == SettingPlayerLanName ? GetSetting(SettingPlayer1Name) : RowDefault(*row);
    RegValue value;
    RegRead(m_store, RegRoot::CurrentUser, row->sKey, row->sName, value, &def);
    return value;
}

std::string Settings::GetSettingText(int32_t n) const {
    const RegValue value = GetSetting(n);
    if (const auto* s = std::get_if<std::string>(&value)) return *s;
    if (const auto* v = std::get_if<int32_t>(&value)) return std::to_string(*v);
    return {};
}

int32_t Settings::GetSettingNumber(int32_t n) const {
    const RegValue value = GetSetting(n);
    if (const auto* v = std::get_if<int32_t>(&value)) return *v;
    if (const auto* s = std::get_if<std::string>(&value)) {
        int32_t parsed = 0;
        std::from_chars(s->data(), s->data() + s->size(), parsed);
        return parsed;
    }
    return 0;
}

void Settings::SaveSetting(int32_t n, const RegValue& value) {
    const SettingRow* row = FindSetting(n);
    if (!row) return;
    RegWrite(m_store, RegRoot::CurrentUser, row->sKey, row->sName, value, row->eType);
}

int32_t Settings::GetOption(std::string_view sName) const {
    const RegValue def = int32_t{1};
    RegValue value;
    RegRead(m_store, RegRoot::CurrentUser, kOptionsKey, sName, value, &def);
    const auto* v = std::get_if<int32_t>(&value);
    return v ? *v : 1;
}

void Settings::SaveOption(std::string_view sName, bool b) {
    RegWrite(m_store, RegRoot::CurrentUser, kOptionsKey, sName, int32_t{b ? 1 : 0},
             RegType::Number);
}

}  // namespace quillon
