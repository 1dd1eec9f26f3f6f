// VyxUpdater as the library writes it out and starts it: a fresh copy at each clsUpdate, the
// stale ones removed unless running; the file in use replaced once it is released, a component
// registered, nothing done without a ".new".

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "iupdate/win/clsUpdate.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/modMain.h"
#include "iupdate/win/updater_extract.h"
#include "library_under_test.h"
#include "support/temp_folder.h"
#include "update_files.h"

namespace quillon::test {
namespace {

namespace fs = std::filesystem;
using namespace quillon::iupdate;

constexpr DWORD kQuickMs = 10000;

// Waits for VyxUpdater's message box and answers it; its text, or empty when none came.
std::wstring AnswerMessage() {
    for (int i = 0; i < 150; ++i) {
        if (const HWND box = FindWindowW(L"#32770", L"VYX Internet Update")) {
            wchar_t text[256] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 256);  // the message box's text control
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return text;
        }
        Sleep(100);
    }
    return {};
}

class Updater : public LinkedLibrary {
  protected:
    void SetUp() override {
        LinkedLibrary::SetUp();
        m_updater = fs::path(win::Widen(ExtractUpdater()));
        ASSERT_TRUE(fs::exists(m_updater));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove(m_updater, ignored);
        LinkedLibrary::TearDown();
    }

    const TempFolder m_temp;
    fs::path m_updater;
};

TEST_F(Updater, EachCreationWritesTheBuiltUpdaterAndRemovesOnlyStaleCopies) {
    EXPECT_EQ(ReadAll(m_updater), ReadAll(TestFolder() / "VyxUpdater.exe"));
    const std::string sName = Utf8(m_updater.filename());
    EXPECT_TRUE(sName.starts_with("tmp") && sName.ends_with(".tmp.exe")) << sName;
    EXPECT_EQ(Utf8(m_updater.parent_path()) + "\\", GetSpecialPath(SpecialTemp));

    // A copy left by an earlier run, with the empty file that reserved its name; another file
    // whose name only looks alike; and a copy still running (waiting for a held target).
    const fs::path temp = m_updater.parent_path();
    WriteAll(temp / "tmpAB12.tmp.exe", "stale");
    WriteAll(temp / "tmpAB12.tmp", "");
    WriteAll(temp / "tmpCD34.tmp", "someone else's");
    WriteAll(temp / "tmpCD34.tmp.txt", "not ours");
    const fs::path target = m_temp.path / "held.exe";
    WriteAll(target, "old");
    WriteAll(m_temp.path / "held.exe.new", "new");
    const win::ScopedFile held = HoldWithoutDeleteSharing(target);
    const win::ScopedHandle running = StartProgram(m_updater, target.wstring());
    ASSERT_TRUE(running);
    Sleep(500);

    // Through the class, as the game creates it.
    win::ComPtr<IDispatch> update;
    ASSERT_HRESULT_SUCCEEDED(CreateClsUpdate(IID_IDispatch, update.OutVoid()));
    const fs::path fresh = fs::path(win::Widen(State().UpdaterPath));
    EXPECT_TRUE(fs::exists(fresh) && fresh != m_updater) << State().UpdaterPath;
    EXPECT_TRUE(fs::exists(m_updater)) << "a running copy stays";
    EXPECT_FALSE(fs::exists(temp / "tmpAB12.tmp.exe"));
    EXPECT_FALSE(fs::exists(temp / "tmpAB12.tmp"));
    EXPECT_TRUE(fs::exists(temp / "tmpCD34.tmp") && fs::exists(temp / "tmpCD34.tmp.txt"));
    EXPECT_TRUE(m_reports.empty());

    TerminateProcess(running.Get(), 0);
    WaitForSingleObject(running.Get(), kQuickMs);
    fs::remove(fresh);
    fs::remove(temp / "tmpCD34.tmp");
    fs::remove(temp / "tmpCD34.tmp.txt");
}

TEST_F(Updater, AFileInUseIsReplacedOnceReleasedAndNeverMissing) {
    // A folder name with spaces: the path reaches the updater unquoted.
    const fs::path folder = m_temp.path / "Quillon game";
    fs::create_directories(folder);
    const fs::path target = folder / "Quillon game.exe";
    WriteAll(target, "old program");
    WriteAll(folder / "Quillon game.exe.new", "new program");
    win::ScopedFile held = HoldWithoutDeleteSharing(target);
    ASSERT_TRUE(held);

    const win::ScopedHandle updater = StartProgram(m_updater, target.wstring());
    ASSERT_TRUE(updater);
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(1)) {
        ASSERT_TRUE(fs::exists(target));
        Sleep(50);
    }
    EXPECT_EQ(ExitCodeAfter(updater, 0), STILL_ACTIVE) << "it waits for the game";
    EXPECT_EQ(ReadAll(target), "old program");
    held.Reset();

    EXPECT_EQ(ExitCodeAfter(updater, kQuickMs), 0u);
    EXPECT_EQ(ReadAll(target), "new program");
    EXPECT_FALSE(fs::exists(folder / "Quillon game.exe.new"));
}

TEST_F(Updater, AComponentWithALowerCaseExtensionIsRegisteredAndSaysSo) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\QuillonTests\\RegisterServer");
    const fs::path target = m_temp.path / "component.dll";
    fs::copy_file(TestFolder() / "quillon_test_entry_records.dll",
                  m_temp.path / "component.dll.new");

    const win::ScopedHandle updater = StartProgram(m_updater, target.wstring());
    ASSERT_TRUE(updater);
    EXPECT_EQ(AnswerMessage(), L"ActiveX component upgraded and registered.");
    EXPECT_EQ(ExitCodeAfter(updater, kQuickMs), 0u);
    DWORD lRan = 0;
    DWORD lSize = sizeof lRan;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\QuillonTests\\RegisterServer", L"Ran",
                           RRF_RT_REG_DWORD, nullptr, &lRan, &lSize),
              ERROR_SUCCESS);
    EXPECT_EQ(lRan, 1u);
    EXPECT_TRUE(fs::exists(target) && !fs::exists(m_temp.path / "component.dll.new"));
}

TEST_F(Updater, WithoutANewFileOrAPathItEndsAtOnceAndTouchesNothing) {
    const fs::path target = m_temp.path / "game.exe";
    WriteAll(target, "installed");
    fs::create_directories(m_temp.path / "folder.exe.new");
    for (const std::wstring& sArguments :
         {target.wstring(), std::wstring(), (m_temp.path / "folder.exe").wstring()}) {
        const win::ScopedHandle updater = StartProgram(m_updater, sArguments);
        ASSERT_TRUE(updater);
        EXPECT_EQ(ExitCodeAfter(updater, kQuickMs), 1u) << win::Narrow(sArguments);
    }
    EXPECT_EQ(ReadAll(target), "installed");
    EXPECT_FALSE(fs::exists(m_temp.path / "folder.exe"));
}

}  // namespace
}  // namespace quillon::test
