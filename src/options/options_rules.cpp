#include "options/options_rules.h"

#include <algorithm>
#include <cstdlib>

#include "shell/paths.h"

namespace quillon {

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string PictureDisplayName(std::string_view sFileName) {
    const size_t dot = sFileName.rfind('.');
    std::string sName(sFileName.substr(0, dot));
    bool bStartOfWord = true;
    for (char& c : sName) {
        c = bStartOfWord ? AsciiUpper(c) : LowerAscii(c);
        bStartOfWord = c == ' ';
    }
    return sName;
}

bool HasPictureExtension(std::string_view sFileName, std::string_view sExtension) {
    return !sExtension.empty() && EndsWithNoCase(sFileName, sExtension);
}

std::string RevealLabel(int32_t lValue) {
    // 64 bits: the magnitude of INT32_MIN does not fit in 32.
    const int64_t lMagnitude = std::llabs(int64_t{lValue});
    const int64_t lCents = lMagnitude % 100;
    std::string s = lValue < 0 ? "-" : "";
    s += std::to_string(lMagnitude / 100);
    s += '.';
    s += static_cast<char>('0' + lCents / 10);
    s += static_cast<char>('0' + lCents % 10);
    return s + " s";
}

int32_t SnapReveal(int32_t lValue) { return (lValue / kRevealSnap) * kRevealSnap; }

std::string MemoryLabel(int32_t lValue) { return std::to_string(lValue) + " %"; }

int32_t MovePreview(int32_t lPosition, int32_t lDelta) {
    const int32_t lStep = lDelta > 0 ? 1 : lDelta < 0 ? -1 : 0;
    return std::clamp(lPosition + lStep, 0, kLastPreviewPosition);
}

int32_t FindListEntry(const std::vector<std::string>& entries, std::string_view sSetting) {
    const auto it = std::find(entries.begin(), entries.end(), sSetting);
    return it == entries.end() ? -1 : static_cast<int32_t>(it - entries.begin());
}

bool ClearEnabled(bool bClearYours, bool bClearComputer) { return bClearYours || bClearComputer; }

void DrawCardPreview(ICanvas& target, const ICanvas& picture, int lSrcX, int lCards,
                     const ICanvas& mask, const ICanvas& border, Rgb background) {
    target.FillRect(0, 0, target.Width(), target.Height(), background);
    for (int i = 0; i < lCards; ++i)
        DrawCardPicture(target, kCardWidth * i, 0, picture, lSrcX + kCardWidth * i, mask, border);
}

OptionsValues Settings_Load(const Settings& settings) {
    OptionsValues v;
    v.lClock = settings.GetSettingNumber(SettingClock);
    v.bWaitForClick = settings.GetSettingNumber(SettingWaitForClick) == 1;
    v.lMemory = settings.GetSettingNumber(SettingAIMemory);
    v.sCardBacks = settings.GetSettingText(SettingCardBacks);
    v.sCardSet = settings.GetSettingText(SettingCardSet);
    v.sPlayer1Name = settings.GetSettingText(SettingPlayer1Name);
    v.sPlayer2Name = settings.GetSettingText(SettingPlayer2Name);
    return v;
}

void Settings_Save(Settings& settings, const OptionsValues& values) {
    settings.SaveSetting(SettingClock, values.lClock);
    settings.SaveSetting(SettingWaitForClick, values.bWaitForClick ? 1 : 0);
    settings.SaveSetting(SettingAIMemory, values.lMemory);
    settings.SaveSetting(SettingCardBacks, values.sCardBacks);
    settings.SaveSetting(SettingCardSet, values.sCardSet);
    settings.SaveSetting(SettingPlayer1Name, values.sPlayer1Name);
    settings.SaveSetting(SettingPlayer2Name, values.sPlayer2Name);
}

}  // namespace quillon
