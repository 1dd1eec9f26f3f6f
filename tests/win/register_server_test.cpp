#include "shell/win/register_server.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "shell/win/modFiles.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::win {
namespace {

constexpr wchar_t kRecordKey[] = L"Software\\QuillonTests\\RegisterServer";

// The test components write their marks under kRecordKey.
bool Recorded(const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, kRecordKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS &&
           value == 1;
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() > end) return false;
        Sleep(20);
    }
    return true;
}

bool Loaded(const wchar_t* name) { return GetModuleHandleW(name) != nullptr; }

class RegisterServerTest : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kRecordKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kRecordKey); }

    const std::string sFolder = GetPath(PathApp);
};

TEST_F(RegisterServerTest, EntryRanMeansTrueWhateverItAnswered) {
    // This component's entry records its run and then answers a failure code.
    EXPECT_TRUE(RegisterServer(sFolder + "quillon_test_entry_records.dll"));
    EXPECT_TRUE(Recorded(L"Ran"));
    EXPECT_FALSE(Loaded(L"quillon_test_entry_records.dll")) << "the component stays loaded";
}

TEST_F(RegisterServerTest, ComponentUnderANonAsciiPath) {
    const std::wstring wDir = Widen(GetPath(PathTemp)) + L"Zo\u00EB quillon";
    std::filesystem::create_directory(wDir);
    const std::wstring wDll = wDir + L"\\copied_entry.dll";
    ASSERT_TRUE(
        CopyFileW(Widen(sFolder + "quillon_test_entry_records.dll").c_str(), wDll.c_str(), FALSE));
    EXPECT_TRUE(RegisterServer(Narrow(wDll)));
    EXPECT_TRUE(Recorded(L"Ran"));
    std::filesystem::remove_all(wDir);
}

TEST_F(RegisterServerTest, NothingToRunMeansFalse) {
    EXPECT_FALSE(RegisterServer(sFolder + "no_such_component.dll"));
    EXPECT_FALSE(RegisterServer(""));
    // A loadable component without the registration entry.
    EXPECT_FALSE(RegisterServer(sFolder + "quillon_test_entry_none.dll"));
    EXPECT_FALSE(Recorded(L"Unregistered")) << "no other entry is run instead";
    EXPECT_FALSE(Loaded(L"quillon_test_entry_none.dll"));
}

TEST_F(RegisterServerTest, SlowEntryMeansFalseAndIsLeftToFinish) {
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(RegisterServer(sFolder + "quillon_test_entry_sleeps.dll", 200));
    EXPECT_LT(GetTickCount64() - start, 1200u) << "the caller waits only for the timeout";
    EXPECT_FALSE(Recorded(L"SlowRan"));
    // The worker still runs the component's code, so the component must still be mapped.
    EXPECT_TRUE(Loaded(L"quillon_test_entry_sleeps.dll"));
    EXPECT_TRUE(WaitFor([] { return Recorded(L"SlowRan"); }, 10000))
        << "the worker was ended instead of finishing";
    EXPECT_TRUE(WaitFor([] { return !Loaded(L"quillon_test_entry_sleeps.dll"); }, 5000))
        << "the finished worker should release the component";
}

}  // namespace
}  // namespace quillon::win
