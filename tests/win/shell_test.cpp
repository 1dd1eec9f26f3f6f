// The Windows services under Wine: the registry store, the program's folders and files, the
// registration of a component.

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "shell/win/modFiles.h"
#include "shell/win/register_server.h"
#include "shell/win/registry_store_win.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"
#include "ui/win/string_table.h"

namespace quillon::win {
namespace {

namespace fs = std::filesystem;

const std::string kTestKey = "Software\\QuillonTests\\Store";

// Type and bytes of a value as the ANSI entry reports them; nullopt when it cannot be read.
std::optional<std::pair<DWORD, std::vector<BYTE>>> QueryRaw(HKEY root, const std::string& sKey,
                                                            const char* name) {
    ScopedHKey key;
    if (RegOpenKeyExA(root, sKey.c_str(), 0, KEY_READ, key.Out()) != ERROR_SUCCESS) return {};
    std::vector<BYTE> data(256);
    DWORD type = 0, size = 256;
    if (RegQueryValueExA(key.Get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return {};
    data.resize(size);
    return std::pair{type, data};
}

TEST(WinRegistryStore, ValuesKeepTheirTypeAndRoundTrip) {
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kTestKey).c_str());
    WinRegistryStore store;
    const struct {
        const char* name;
        RegValue value;
        DWORD type;
        size_t lSize;
        std::vector<BYTE> raw;  // empty: only the size is checked
    } cases[] = {
        {"Zoe", std::string("Zo\xC3\xAB"), REG_SZ, 4, {}},  // three ANSI characters and a zero
        {"Number", int32_t{-2}, REG_DWORD, 4, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"Blob", Bytes{9, 0, 8}, REG_BINARY, 3, {9, 0, 8}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(store.Write(RegRoot::CurrentUser, kTestKey, c.name, c.value)) << c.name;
        EXPECT_EQ(store.Read(RegRoot::CurrentUser, kTestKey, c.name), c.value) << c.name;
        const auto raw = QueryRaw(HKEY_CURRENT_USER, kTestKey, c.name);
        ASSERT_TRUE(raw) << c.name;
        EXPECT_EQ(raw->first, c.type) << c.name;
        EXPECT_EQ(raw->second.size(), c.lSize) << c.name;
        EXPECT_TRUE(c.raw.empty() || raw->second == c.raw) << c.name;
    }
    // Text in the ANSI code page, not UTF-8 bytes: the wide view reads the same three letters.
    wchar_t wide[16] = {};
    DWORD size = sizeof wide;
    RegGetValueW(HKEY_CURRENT_USER, Widen(kTestKey).c_str(), L"Zoe", RRF_RT_REG_SZ, nullptr, wide,
                 &size);
    EXPECT_STREQ(wide, L"Zo\u00EB");

    // Values written by others: strings without their zero, and types the store does not read.
    const HKEY hKey = HKEY_CURRENT_USER;
    const std::wstring wKey = Widen(kTestKey);
    RegSetKeyValueW(hKey, wKey.c_str(), L"Bare", REG_SZ, L"abc", 6);
    RegSetKeyValueW(hKey, wKey.c_str(), L"Cut", REG_SZ, L"abc", 5);  // half a last character
    RegSetKeyValueW(hKey, wKey.c_str(), L"Short", REG_DWORD, L"ab", 2);
    RegSetKeyValueW(hKey, wKey.c_str(), L"Qword", REG_QWORD, L"abcd", 8);
    EXPECT_EQ(store.Read(RegRoot::CurrentUser, kTestKey, "Bare"), RegValue(std::string("abc")));
    EXPECT_EQ(store.Read(RegRoot::CurrentUser, kTestKey, "Cut"), RegValue(std::string("ab")));
    for (const char* name : {"Short", "Qword", "Absent"})
        EXPECT_EQ(TypeOf(store.Read(RegRoot::CurrentUser, kTestKey, name)), RegType::None) << name;
    EXPECT_EQ(TypeOf(store.Read(RegRoot::CurrentUser, kTestKey + "\\Missing", "A")), RegType::None);
    EXPECT_FALSE(QueryRaw(HKEY_CURRENT_USER, kTestKey + "\\Missing", nullptr))
        << "reading must not create the key";
    RegDeleteTreeW(HKEY_CURRENT_USER, wKey.c_str());
}

TEST(WinRegistryStore, RootsNameTheirHives) {
    WinRegistryStore store;
    ASSERT_TRUE(store.Write(RegRoot::LocalMachine, kTestKey, "Where", std::string("machine")));
    EXPECT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, kTestKey, "Where"));
    EXPECT_FALSE(QueryRaw(HKEY_CURRENT_USER, kTestKey, "Where"));
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, Widen(kTestKey).c_str());
    ASSERT_TRUE(store.Write(RegRoot::ClassesRoot, "QuillonTests.Class", "", std::string("c")));
    EXPECT_TRUE(QueryRaw(HKEY_CLASSES_ROOT, "QuillonTests.Class", ""));
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"QuillonTests.Class");
}

// Under a non-ASCII program folder the data folders are made where missing, the card folders
// before the data folder is asked for; under one that cannot hold them, the paths still come.
TEST(WinFiles, KindsOverAProgramFolder) {
    const std::string sRoot = GetPath(PathTemp) + "quillon_files";
    const std::string sApp = sRoot + "\\Jeux Zo\xC3\xAB";
    fs::remove_all(Widen(sRoot));
    ASSERT_TRUE(fs::create_directories(Widen(sApp)));
    const AppPaths paths(sApp + "\\");
    EXPECT_EQ(paths.GetPath(PathApp), sApp + "\\") << "one backslash only";
    EXPECT_EQ(paths.GetPath(PathHelp), sApp + "\\quillon.chm");
    EXPECT_EQ(paths.GetPath(PathProfiles), sApp + "\\Data\\profiles.dat");
    EXPECT_EQ(paths.GetPath(PathCards), sApp + "\\Data\\Cards\\");
    EXPECT_EQ(paths.GetPath(PathBacks), sApp + "\\Data\\Backs\\");
    EXPECT_EQ(paths.GetPath(PathData), sApp + "\\Data\\");
    EXPECT_TRUE(fs::is_directory(Widen(sRoot) + L"\\Jeux Zo\u00EB\\Data\\Cards"));
    EXPECT_EQ(AppPaths(sRoot + "\\gone\\app").GetPath(PathBacks),
              sRoot + "\\gone\\app\\Data\\Backs\\");

    std::ofstream(fs::path(Widen(sRoot + "\\Data"))) << "a file where a folder belongs";
    EXPECT_EQ(AppPaths(sRoot).GetPath(PathCards), sRoot + "\\Data\\Cards\\");
    EXPECT_TRUE(FileExists(sRoot + "\\Data"));
    EXPECT_FALSE(IsDirectory(sRoot + "\\Data"));
    EXPECT_FALSE(FileExists(sApp) || KillFile(sApp)) << "a folder is no file";
    EXPECT_TRUE(KillFile(sRoot + "\\Data") && !FileExists(sRoot + "\\Data"));
    fs::remove_all(Widen(sRoot));
}

// The test components beside win_tests.exe record their runs under this key.
bool Recorded(const wchar_t* name) {
    DWORD value = 0, size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\QuillonTests\\RegisterServer", name,
                        RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
}

bool Loaded(const wchar_t* name) { return GetModuleHandleW(name) != nullptr; }

// The run counts, not the entry's answer; the caller waits only for the timeout and leaves a
// slow entry to finish, holding the component until then.
// A peer's name is put into a question: a "%2" in it is the name, not the address.
TEST(WinStringTable, InsertsAreFilledInOnePass) {
    EXPECT_EQ(FillInserts(L"Play against %1 (%2) ?", {L"Ann %2", L"10.0.0.1"}),
              L"Play against Ann %2 (10.0.0.1) ?");
    EXPECT_EQ(FillInserts(L"%1%%3 at %", {L"x"}), L"x%%3 at %");
}

TEST(WinRegisterServer, TrueExactlyWhenTheEntryRanInTime) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuillonTests\\RegisterServer");
    const std::string sFolder = GetPath(PathApp);
    const std::wstring wCopy = Widen(GetPath(PathTemp)) + L"Zo\u00EB entry.dll";
    ASSERT_TRUE(
        CopyFileW(Widen(sFolder + "quillon_test_entry_records.dll").c_str(), wCopy.c_str(), FALSE));
    EXPECT_TRUE(RegisterServer(Narrow(wCopy)));
    EXPECT_TRUE(Recorded(L"Ran"));
    EXPECT_FALSE(Loaded(wCopy.c_str()));
    DeleteFileW(wCopy.c_str());

    EXPECT_FALSE(RegisterServer(sFolder + "no_such_component.dll"));
    EXPECT_FALSE(RegisterServer(sFolder + "quillon_test_entry_none.dll"));
    EXPECT_FALSE(Recorded(L"Unregistered")) << "no other entry is run instead";

    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(RegisterServer(sFolder + "quillon_test_entry_sleeps.dll", 200));
    EXPECT_LT(GetTickCount64() - start, 1200u);
    EXPECT_FALSE(Recorded(L"SlowRan"));
    EXPECT_TRUE(Loaded(L"quillon_test_entry_sleeps.dll")) << "its code still runs";
    for (int i = 0; i < 500 && Loaded(L"quillon_test_entry_sleeps.dll"); ++i) Sleep(20);
    EXPECT_TRUE(Recorded(L"SlowRan")) << "the worker was ended instead of finishing";
    EXPECT_FALSE(Loaded(L"quillon_test_entry_sleeps.dll")) << "the worker keeps the component";
}

}  // namespace
}  // namespace quillon::win
