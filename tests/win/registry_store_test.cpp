#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "shell/settings.h"
#include "shell/win/registry_store_win.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::win {
namespace {

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// The value as the ANSI entry reports it, with a buffer large enough to need no second call.
bool QueryRawA(HKEY root, const std::string& sKey, const char* name, RawValue& raw) {
    ScopedHKey key;
    if (RegOpenKeyExA(root, sKey.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS) return false;
    raw.data.assign(256, 0xCC);
    DWORD size = static_cast<DWORD>(raw.data.size());
    if (RegQueryValueExA(key.Get(), name, nullptr, &raw.type, raw.data.data(), &size) !=
        ERROR_SUCCESS)
        return false;
    raw.data.resize(size);
    return true;
}

bool KeyExists(HKEY root, const std::wstring& key) {
    ScopedHKey h;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, h.Out()) == ERROR_SUCCESS;
}

// Each test gets its own key under HKCU, removed before and after.
class WinRegistryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sKey = std::string("Software\\QuillonTests\\") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RegDeleteTreeW(HKEY_CURRENT_USER, Widen(sKey).c_str());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(sKey).c_str()); }

    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ScopedHKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(sKey).c_str(), 0, nullptr, 0, KEY_WRITE,
                                  nullptr, key.Out(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    RegValue Read(const char* name) const { return store.Read(RegRoot::CurrentUser, sKey, name); }

    std::string sKey;
    WinRegistryStore store;
};

const std::string kZoe = "Zo\xC3\xAB";  // "Zoë", which the Western ANSI code page holds

TEST_F(WinRegistryStoreTest, StringsRoundTripThroughTheAnsiCodePage) {
    for (const std::string& s :
         {std::string("Default"), std::string(), kZoe, std::string("two  spaces ")}) {
        ASSERT_TRUE(store.Write(RegRoot::CurrentUser, sKey, "Text", s));
        EXPECT_EQ(Read("Text"), RegValue(s)) << s;
    }
    // Stored as text, not as UTF-8 bytes: the wide view sees the same three letters.
    wchar_t wide[16] = {};
    DWORD size = sizeof wide;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, Widen(sKey).c_str(), L"Text", RRF_RT_REG_SZ, nullptr,
                           wide, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(wide, L"two  spaces ");
    ASSERT_TRUE(store.Write(RegRoot::CurrentUser, sKey, "Text", kZoe));
    size = sizeof wide;
    RegGetValueW(HKEY_CURRENT_USER, Widen(sKey).c_str(), L"Text", RRF_RT_REG_SZ, nullptr, wide,
                 &size);
    EXPECT_STREQ(wide, L"Zo\u00EB");
}

TEST_F(WinRegistryStoreTest, StoredStringLengthCountsOneTerminatingZero) {
    ASSERT_TRUE(store.Write(RegRoot::CurrentUser, sKey, "Name", kZoe));
    RawValue raw;
    ASSERT_TRUE(QueryRawA(HKEY_CURRENT_USER, sKey, "Name", raw));
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(raw.data.size(), 4u) << "three ANSI characters and the zero";
    EXPECT_EQ(raw.data[3], 0);
    EXPECT_EQ(Utf8ToAnsi(kZoe), std::string(raw.data.begin(), raw.data.begin() + 3));
}

TEST_F(WinRegistryStoreTest, StringsWithoutTerminatorLoseNoCharacter) {
    SetRaw(L"Bare", REG_SZ, L"abc", 3 * sizeof(wchar_t));
    EXPECT_EQ(Read("Bare"), RegValue(std::string("abc")));
    // An odd byte count cuts the last character in half, and the ANSI data then arrives
    // without any zero after it: both remaining characters must survive.
    SetRaw(L"Cut", REG_SZ, L"abc", 3 * sizeof(wchar_t) - 1);
    EXPECT_EQ(Read("Cut"), RegValue(std::string("ab")));
    SetRaw(L"Empty", REG_SZ, L"", 0);
    EXPECT_EQ(Read("Empty"), RegValue(std::string()));
}

TEST_F(WinRegistryStoreTest, NumbersAreLittleEndianDwords) {
    for (int32_t n : {0, 150, -1, -30, INT32_MIN, INT32_MAX}) {
        ASSERT_TRUE(store.Write(RegRoot::CurrentUser, sKey, "Number", n));
        EXPECT_EQ(Read("Number"), RegValue(n)) << n;
    }
    ASSERT_TRUE(store.Write(RegRoot::CurrentUser, sKey, "Number", int32_t{-2}));
    RawValue raw;
    ASSERT_TRUE(QueryRawA(HKEY_CURRENT_USER, sKey, "Number", raw));
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(raw.data, (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));

    const WORD shortNumber = 7;  // a DWORD value of the wrong size is not a number
    SetRaw(L"Short", REG_DWORD, &shortNumber, sizeof shortNumber);
    EXPECT_EQ(TypeOf(Read("Short")), RegType::None);
}

TEST_F(WinRegistryStoreTest, BinaryValuesAreByteArrays) {
    const BYTE bytes[] = {1, 0, 255, 0};
    SetRaw(L"Blob", REG_BINARY, bytes, sizeof bytes);
    EXPECT_EQ(Read("Blob"), RegValue(Bytes{1, 0, 255, 0}));
    ASSERT_TRUE(store.Write(RegRoot::CurrentUser, sKey, "Written", Bytes{9, 8}));
    RawValue raw;
    ASSERT_TRUE(QueryRawA(HKEY_CURRENT_USER, sKey, "Written", raw));
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(raw.data, (std::vector<BYTE>{9, 8}));
}

TEST_F(WinRegistryStoreTest, OtherTypesAndMissingValuesGiveTheDefault) {
    SetRaw(L"Expand", REG_EXPAND_SZ, L"%TEMP%", 7 * sizeof(wchar_t));
    SetRaw(L"Multi", REG_MULTI_SZ, L"a\0b\0", 5 * sizeof(wchar_t));
    const ULONGLONG big = 5;
    SetRaw(L"Qword", REG_QWORD, &big, sizeof big);
    const RegValue def = std::string("fallback");
    for (const char* name : {"Expand", "Multi", "Qword", "Absent"}) {
        RegValue value;
        EXPECT_EQ(RegRead(store, RegRoot::CurrentUser, sKey, name, value, &def), RegType::None)
            << name;
        EXPECT_EQ(value, def) << name;
    }
    RegValue value;
    EXPECT_EQ(RegRead(store, RegRoot::CurrentUser, sKey + "\\Missing", "Any", value, &def),
              RegType::None);
    EXPECT_EQ(value, def);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Widen(sKey + "\\Missing")))
        << "reading must not create the key";
}

TEST_F(WinRegistryStoreTest, RootsNameTheirHives) {
    ASSERT_TRUE(store.Write(RegRoot::LocalMachine, sKey, "Where", std::string("machine")));
    RawValue raw;
    EXPECT_TRUE(QueryRawA(HKEY_LOCAL_MACHINE, sKey, "Where", raw));
    EXPECT_FALSE(QueryRawA(HKEY_CURRENT_USER, sKey, "Where", raw));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(sKey).c_str());

    const std::string sClass = "QuillonTests.RootsNameTheirHives";
    ASSERT_TRUE(store.Write(RegRoot::ClassesRoot, sClass, "", std::string("class")));
    EXPECT_TRUE(QueryRawA(HKEY_CLASSES_ROOT, sClass, "", raw));
    EXPECT_EQ(store.Read(RegRoot::ClassesRoot, sClass, ""), RegValue(std::string("class")));
    RegDeleteTreeW(HKEY_CLASSES_ROOT, Widen(sClass).c_str());
}

// The program's own keys; this prefix's registry belongs to the tests alone.
class WinSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kRootKey).c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kRootKey).c_str()); }

    WinRegistryStore store;
    Settings settings{store};
};

TEST_F(WinSettingsTest, NothingStoredReadsEveryDefault) {
    EXPECT_EQ(settings.GetSetting(SettingAIMemory), RegValue(50));
    EXPECT_EQ(settings.GetSetting(SettingLastUpdate), RegValue(0));
    EXPECT_EQ(settings.GetSetting(SettingCardBacks), RegValue(std::string("Default")));
    EXPECT_EQ(settings.GetSetting(SettingCardSet), RegValue(std::string("Default")));
    EXPECT_EQ(settings.GetSetting(SettingPlayer1Name), RegValue(std::string()));
    EXPECT_EQ(settings.GetSetting(SettingPlayer2Name), RegValue(std::string()));
    EXPECT_EQ(settings.GetSetting(SettingPlayerLanName), RegValue(std::string()));
    EXPECT_EQ(settings.GetSetting(SettingClock), RegValue(150));
    EXPECT_EQ(settings.GetSetting(SettingWaitForClick), RegValue(1));
    EXPECT_EQ(settings.GetSetting(SettingLastGame), RegValue(2));
    EXPECT_EQ(settings.GetSetting(SettingLastIP), RegValue(std::string("127.0.0.1")));
    for (auto option : {OPTION_AUTOCHECK, OPTION_FLASH, OPTION_HANDCURSOR, OPTION_SELECTION})
        EXPECT_EQ(settings.GetOption(option), 1) << option;
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Widen(kRootKey)));
}

TEST_F(WinSettingsTest, ValuesLandUnderTheirKeysAndReadBack) {
    settings.SaveSetting(SettingLastUpdate, 20260102);
    settings.SaveSetting(SettingPlayer1Name, kZoe);
    settings.SaveOption(OPTION_FLASH, false);
    RawValue raw;
    ASSERT_TRUE(QueryRawA(HKEY_CURRENT_USER, std::string(kRootKey), "Last Update", raw));
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_FALSE(QueryRawA(HKEY_CURRENT_USER, std::string(kOptionsKey), "Last Update", raw));
    ASSERT_TRUE(QueryRawA(HKEY_CURRENT_USER, std::string(kOptionsKey), "OPTION_FLASH", raw));
    EXPECT_EQ(raw.data, (std::vector<BYTE>{0, 0, 0, 0}));

    EXPECT_EQ(settings.GetSettingNumber(SettingLastUpdate), 20260102);
    EXPECT_EQ(settings.GetSettingText(SettingPlayer1Name), kZoe);
    EXPECT_EQ(settings.GetSettingText(SettingPlayerLanName), kZoe);
    EXPECT_EQ(settings.GetOption(OPTION_FLASH), 0);
}

}  // namespace
}  // namespace quillon::win
