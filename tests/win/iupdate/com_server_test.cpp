// VyxIUpdate.dll as the game meets it: registered through its own entry by RegisterServer,
// created by class name, called late-bound, and unregistered again.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "VyxIUpdate_h.h"
#include "iupdate/win/modMain.h"
#include "library_under_test.h"
#include "registry_snapshot.h"
#include "shell/error_report.h"
#include "shell/win/late_bound.h"
#include "support/run_dialog.h"
#include "ui/win/dialog_base.h"

namespace quillon::test {
namespace {

using win::LateBound;
using win::VariantFromLong;
using win::VariantFromText;
using win::VariantFromWindow;

std::wstring Guid(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// Every key that registration may own lies under one of the library's identifiers or names
// (the type library's keys also in the 32-bit view, where its registration puts them too).
bool Ours(std::wstring line) {
    CharUpperBuffW(line.data(), static_cast<DWORD>(line.size()));
    const std::wstring names[] = {
        Guid(CLSID_clsUpdate), Guid(CLSID_clsAbout), Guid(CLSID_clsSubmit), Guid(LIBID_VyxIUpdate),
        Guid(IID__clsUpdate),  Guid(IID__clsAbout),  Guid(IID__clsSubmit),  L"\\VYXIUPDATE.CLS",
    };
    const std::wstring sPath = line.substr(0, line.find(L" | "));
    return std::any_of(std::begin(names), std::end(names),
                       [&](const std::wstring& n) { return sPath.find(n) != std::wstring::npos; });
}

std::wstring ReadText(const std::wstring& sKey, const wchar_t* szName) {
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf;
    if (RegGetValueW(HKEY_CLASSES_ROOT, sKey.c_str(), szName, RRF_RT_REG_SZ, nullptr, buf, &size) !=
        ERROR_SUCCESS) {
        return L"<missing>";
    }
    return buf;
}

int32_t CreationError(const char* szProgId) {
    try {
        LateBound object(szProgId);
        return 0;
    } catch (const QuillonError& e) {
        return e.Number();
    }
}

TEST(IUpdateComServer, RegistrationWritesOnlyItsOwnKeysAndUnregistrationTakesThemAllAway) {
    const win::ScopedCoInit com;
    const std::string sDll = LibraryPath();
    iupdate::RegisterServer(sDll, 1);  // whatever an interrupted run left behind
    const RegistrySnapshot machineBefore = Snapshot(HKEY_LOCAL_MACHINE, L"Software\\Classes");
    const RegistrySnapshot userBefore = Snapshot(HKEY_CURRENT_USER, L"Software\\Classes");
    EXPECT_EQ(CreationError("VyxIUpdate.clsAbout"), ErrCannotCreateObject);

    ASSERT_TRUE(iupdate::RegisterServer(sDll, 0));
    const RegistrySnapshot machineAfter = Snapshot(HKEY_LOCAL_MACHINE, L"Software\\Classes");
    EXPECT_TRUE(Missing(machineBefore, machineAfter).empty()) << "registration removed keys";
    const auto added = Missing(machineAfter, machineBefore);
    EXPECT_GE(added.size(), 3u * 8u) << "the classes' keys and values at least";
    for (const std::wstring& line : added) EXPECT_TRUE(Ours(line)) << win::Narrow(line);
    EXPECT_EQ(Snapshot(HKEY_CURRENT_USER, L"Software\\Classes"), userBefore)
        << "the machine's classes were writable: nothing goes to the user's";

    const std::wstring sClass = L"CLSID\\" + Guid(CLSID_clsSubmit);
    EXPECT_EQ(win::Narrow(ReadText(sClass + L"\\InprocServer32", nullptr)), sDll);
    EXPECT_EQ(ReadText(sClass + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(ReadText(sClass + L"\\ProgID", nullptr), L"VyxIUpdate.clsSubmit");
    EXPECT_EQ(ReadText(sClass + L"\\TypeLib", nullptr), Guid(LIBID_VyxIUpdate));
    EXPECT_EQ(ReadText(L"VyxIUpdate.clsSubmit\\CLSID", nullptr), Guid(CLSID_clsSubmit));
    EXPECT_NE(ReadText(L"Interface\\" + Guid(IID__clsSubmit) + L"\\TypeLib", nullptr),
              L"<missing>");
    for (const char* szProgId :
         {"VyxIUpdate.clsUpdate", "VyxIUpdate.clsAbout", "VyxIUpdate.clsSubmit"}) {
        EXPECT_EQ(CreationError(szProgId), 0) << szProgId;
    }

    ASSERT_TRUE(iupdate::RegisterServer(sDll, 1));
    const auto left = Missing(Snapshot(HKEY_LOCAL_MACHINE, L"Software\\Classes"), machineBefore);
    EXPECT_TRUE(left.empty()) << "left behind: " << (left.empty() ? "" : win::Narrow(left[0]));
    EXPECT_EQ(Snapshot(HKEY_LOCAL_MACHINE, L"Software\\Classes"), machineBefore);
    EXPECT_EQ(CreationError("VyxIUpdate.clsUpdate"), ErrCannotCreateObject);
}

// The calls of the game's three Help commands, with the argument forms a caller may use.
TEST(IUpdateComServer, EveryMemberAnswersLateBoundByName) {
    const win::ScopedCoInit com;
    ASSERT_TRUE(iupdate::RegisterServer(LibraryPath(), 0));
    const win::ScopedVariant number = VariantFromLong(7), text = VariantFromText("Quillon");
    const struct {
        const char* szProgId;
        std::vector<const char*> texts;
    } puts[] = {
        {"VyxIUpdate.clsAbout", {"sAppTitle", "sCopyRight", "sVersionExtra", "sAdodbVersion"}},
        {"VyxIUpdate.clsSubmit",
         {"sAppTitle", "sVersionExtra", "sAdodbVersion", "sAppProductName"}},
        {"VyxIUpdate.clsUpdate", {"sAppPath", "sAppExeName", "sXmlUrl"}},
    };
    for (const auto& p : puts) {
        LateBound object(p.szProgId);
        for (const char* szName : {"lAppMajor", "lAppMinor", "lAppRev"}) {
            object.Put(szName, *number.Get());
        }
        for (const char* szName : p.texts) object.Put(szName, *text.Get());
    }

    LateBound about("VyxIUpdate.clsAbout");
    about.Call("Load");
    about.Call("AddItem", {text.Get(), text.Get()});
    about.Call("AddItem", {text.Get(), text.Get(), VariantFromLong(ICON_OCX).Get()});
    // By reference, as a VB caller passes its String variables.
    win::ScopedVariant refPath = VariantFromText("C:\\y.dll"), refTitle = VariantFromText("Y");
    VARIANT byRef[2];
    V_VT(&byRef[0]) = V_VT(&byRef[1]) = VT_BSTR | VT_BYREF;
    V_BSTRREF(&byRef[0]) = &V_BSTR(refPath.Get());
    V_BSTRREF(&byRef[1]) = &V_BSTR(refTitle.Get());
    about.Call("AddItem", {&byRef[0], &byRef[1]});
    // The About box waits for OK, which its owner gives.
    win::ScopedVariant aboutShown;
    EXPECT_TRUE(RunDialog(
        [&](HWND hOwner) {
            aboutShown =
                LateBound("VyxIUpdate.clsAbout").Call("Show", {VariantFromWindow(hOwner).Get()});
        },
        [](HWND) { return IDOK; }));
    // The feedback window waits for the user, who cancels it.
    win::ScopedVariant submitShown;
    EXPECT_TRUE(RunDialog(
        [&](HWND hOwner) {
            submitShown =
                LateBound("VyxIUpdate.clsSubmit").Call("Show", {VariantFromWindow(hOwner).Get()});
        },
        [](HWND hDialog) {
            EXPECT_EQ(win::WindowText(hDialog), L"Submit feedback");
            return IDCANCEL;
        }));
    for (const VARIANT* shown :
         {std::as_const(aboutShown).Get(), std::as_const(submitShown).Get()}) {
        EXPECT_EQ(V_VT(shown), VT_BOOL);
        EXPECT_EQ(V_BOOL(shown), VARIANT_FALSE);
    }

    LateBound update("VyxIUpdate.clsUpdate");
    for (const char* szFlag : {"NewVersionAvailable", "MustCloseApp", "bCompleted"}) {
        EXPECT_EQ(update.Get(szFlag).Type(), VT_BOOL) << szFlag;
    }
    const win::ScopedVariant error = update.Get("ErrorNum");
    EXPECT_EQ(error.Type(), VT_I4);
    EXPECT_EQ(V_I4(error.Get()), 0);
    // The update wizard waits for the user, who leaves it with Exit.
    win::ScopedVariant launched;
    EXPECT_TRUE(RunDialog(
        [&](HWND hOwner) {
            launched = update.Call("LaunchUpdate", {VariantFromWindow(hOwner).Get()});
        },
        [](HWND hDialog) {
            EXPECT_EQ(win::WindowText(hDialog), L"Internet Update");
            return IDOK;
        }));
    EXPECT_EQ(V_VT(launched.Get()), VT_BOOL);
    EXPECT_EQ(V_BOOL(launched.Get()), VARIANT_FALSE) << "Exit makes LaunchUpdate answer False";
    // Write-only stays write-only and read-only stays read-only.
    EXPECT_THROW(update.Get("sAppPath"), QuillonError);
    EXPECT_THROW(update.Put("bCompleted", *number.Get()), QuillonError);
    EXPECT_THROW(update.Call("NoSuchMember"), QuillonError);
    EXPECT_TRUE(iupdate::RegisterServer(LibraryPath(), 1));
}

}  // namespace
}  // namespace quillon::test
