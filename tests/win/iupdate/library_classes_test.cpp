// The library's classes with its code linked in: what the DLL keeps to itself (the shared
// state, the About rows, the reports, the user's registration root) read back directly.

#include <gtest/gtest.h>

#include <algorithm>

#include "VyxIUpdate_h.h"
#include "iupdate/win/class_factory.h"
#include "iupdate/win/class_table.h"
#include "iupdate/win/library_state.h"
#include "iupdate/win/library_windows.h"
#include "iupdate/win/module.h"
#include "iupdate/win/parent_window.h"
#include "iupdate/win/registration.h"
#include "library_under_test.h"
#include "registry_snapshot.h"
#include "shell/win/late_bound.h"

namespace quillon::test {
namespace {

using iupdate::State;
using win::LateBound;
using win::VariantFromLong;
using win::VariantFromText;

class LibraryClasses : public LinkedLibrary {
  protected:
    static LateBound Create(REFCLSID clsid) {
        win::ComPtr<IDispatch> object;
        const iupdate::ClassEntry* entry = iupdate::FindClass(clsid);
        if (entry) entry->pCreate(IID_IDispatch, object.OutVoid());
        return LateBound(std::move(object));  // throws when nothing was created
    }
};

TEST_F(LibraryClasses, EveryInstanceSharesOneStateAndTheProductNameIsTheProgramName) {
    LateBound submit = Create(CLSID_clsSubmit);
    LateBound update = Create(CLSID_clsUpdate);
    LateBound about = Create(CLSID_clsAbout);

    submit.Put("sAppProductName", *VariantFromText("Quillon Deluxe").Get());
    EXPECT_EQ(State().sAppExeName, "Quillon Deluxe");
    update.Put("sAppExeName", *VariantFromText("Quillon.exe").Get());
    EXPECT_EQ(State().sAppExeName, "Quillon.exe");

    update.Put("lAppMajor", *VariantFromLong(3).Get());
    submit.Put("lAppMinor", *VariantFromLong(4).Get());
    about.Put("lAppRev", *VariantFromLong(-5).Get());
    EXPECT_EQ(State().lAppMajor, 3);
    EXPECT_EQ(State().lAppMinor, 4);
    EXPECT_EQ(State().lAppRev, -5);
    about.Put("sAppTitle", *VariantFromText("Zo\xC3\xAB").Get());
    EXPECT_EQ(State().sAppTitle, "Zo\xC3\xAB") << "non-ASCII text survives the round trip";

    update.Put("sAppPath", *VariantFromText("C:\\Games").Get());
    EXPECT_EQ(State().sAppPath, "C:\\Games\\");

    // What the wizard sets is what any instance reads, as the automation True.
    State().MustCloseApp = true;
    const win::ScopedVariant mustClose = Create(CLSID_clsUpdate).Get("MustCloseApp");
    EXPECT_EQ(mustClose.Type(), VT_BOOL);
    EXPECT_EQ(V_BOOL(mustClose.Get()), VARIANT_TRUE);
    State().MustCloseApp = false;
    EXPECT_TRUE(m_reports.empty());
}

// One row per key, the title with "_" for spaces in upper case: a second title of the same key
// is ignored without a report.
TEST_F(LibraryClasses, AddItemKeepsOneRowPerKeyInOrderWithTheIconOrNone) {
    LateBound about = Create(CLSID_clsAbout);
    const size_t lBefore = iupdate::AboutRows().size();
    const win::ScopedVariant path = VariantFromText("C:\\a.ocx"), title = VariantFromText("A b");
    const win::ScopedVariant sameKey = VariantFromText("a B"), other = VariantFromText("A_C");
    about.Call("AddItem", {path.Get(), title.Get()});
    about.Call("AddItem", {path.Get(), sameKey.Get(), VariantFromLong(ICON_DLL).Get()});
    about.Call("AddItem", {path.Get(), other.Get(), VariantFromLong(ICON_EXE).Get()});

    const auto& rows = iupdate::AboutRows();
    ASSERT_EQ(rows.size(), lBefore + 2);
    EXPECT_EQ(rows[lBefore].sKey + rows[lBefore].sPath + rows[lBefore].sTitle, "A_BC:\\a.ocxA b");
    EXPECT_EQ(rows[lBefore].eIcon, ICON_NONE);
    EXPECT_EQ(rows[lBefore + 1].sKey, "A_C");
    EXPECT_EQ(rows[lBefore + 1].eIcon, ICON_EXE);
    EXPECT_TRUE(m_reports.empty());
}

// A failure inside a member is the library's own report; the caller sees a normal False.
TEST_F(LibraryClasses, FailuresAreReportedAsTheMemberAndNeverReachTheCaller) {
    const win::ScopedVariant notAWindow = VariantFromText("frmMain");
    const struct {
        const CLSID* clsid;
        const char* szAction;
        const char* szProcedure;
    } actions[] = {
        {&CLSID_clsAbout, "Show", "Module {clsAbout::Show}"},
        {&CLSID_clsSubmit, "Show", "Module {clsSubmit::Show}"},
        {&CLSID_clsUpdate, "LaunchUpdate", "Module {clsUpdate::LaunchUpdate}"},
    };
    for (const auto& action : actions) {
        m_reports.clear();
        win::ScopedVariant result;
        ASSERT_NO_THROW(result = Create(*action.clsid).Call(action.szAction, {notAWindow.Get()}));
        EXPECT_EQ(V_BOOL(result.Get()), VARIANT_FALSE) << action.szProcedure;
        ASSERT_EQ(m_reports.size(), 1u) << action.szProcedure;
        EXPECT_EQ(m_reports[0].sTitle, "Error n\xC2\xB0 &HD");
        EXPECT_NE(m_reports[0].sMessage.find(action.szProcedure), std::string::npos)
            << m_reports[0].sMessage;
    }
}

// A form object as a VB caller would pass it: only its hWnd property is read.
class FakeForm final : public IDispatch {
  public:
    explicit FakeForm(LONG lHandle) : m_lHandle(lHandle) {}
    STDMETHODIMP QueryInterface(REFIID, void** ppv) override { return *ppv = this, S_OK; }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // lives on the test's stack
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* p) override { return *p = 0, S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        *ids = 7;
        return lstrcmpiW(names[0], L"hWnd") == 0 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD wFlags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        if (!(wFlags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
        V_VT(result) = VT_I4, V_I4(result) = m_lHandle;
        return S_OK;
    }

  private:
    LONG m_lHandle;
};

TEST(LibraryParentWindow, FormsAndHandlesByValueOrReferenceGiveTheOwner) {
    const HWND hExpected = reinterpret_cast<HWND>(LONG_PTR{0x10062});
    FakeForm form(0x10062);
    ULONG lHandle = 0x10062;
    IDispatch* pForm = &form;
    VARIANT inner, values[5];
    V_VT(&inner) = VT_I8, V_I8(&inner) = 0x10062;
    V_VT(&values[0]) = VT_I4, V_I4(&values[0]) = 0x10062;
    V_VT(&values[1]) = VT_UI4 | VT_BYREF, V_UI4REF(&values[1]) = &lHandle;
    V_VT(&values[2]) = VT_VARIANT | VT_BYREF, V_VARIANTREF(&values[2]) = &inner;
    V_VT(&values[3]) = VT_DISPATCH, V_DISPATCH(&values[3]) = &form;
    V_VT(&values[4]) = VT_DISPATCH | VT_BYREF, V_DISPATCHREF(&values[4]) = &pForm;
    for (const VARIANT& value : values) {
        EXPECT_EQ(iupdate::ParentWindow(&value), hExpected) << "type " << V_VT(&value);
    }

    // No owner: nothing passed, an empty object, an omitted argument.
    VARIANT none[3];
    V_VT(&none[0]) = VT_EMPTY;
    V_VT(&none[1]) = VT_DISPATCH, V_DISPATCH(&none[1]) = nullptr;
    V_VT(&none[2]) = VT_ERROR, V_ERROR(&none[2]) = DISP_E_PARAMNOTFOUND;
    for (const VARIANT& value : none) EXPECT_EQ(iupdate::ParentWindow(&value), nullptr);
    EXPECT_EQ(iupdate::ParentWindow(nullptr), nullptr);

    const win::ScopedVariant text = VariantFromText("0x10062");
    try {
        iupdate::ParentWindow(text.Get());
        ADD_FAILURE() << "a text is no window";
    } catch (const QuillonError& e) {
        EXPECT_EQ(e.Number(), ErrTypeMismatch);
    }
}

TEST_F(LibraryClasses, ClassObjectsServeOnlyTheTableAndHoldTheModuleWhileAlive) {
    win::ComPtr<IClassFactory> factory;
    EXPECT_EQ(iupdate::GetClassObject(IID_IDispatch, IID_IClassFactory, factory.OutVoid()),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(factory);
    ASSERT_EQ(iupdate::GetClassObject(CLSID_clsAbout, IID_IClassFactory, factory.OutVoid()), S_OK);
    EXPECT_FALSE(iupdate::CanUnload()) << "a class object counts";

    win::ComPtr<IUnknown> object;
    FakeForm outer(0);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IUnknown, object.OutVoid()),
              CLASS_E_NOAGGREGATION);
    win::ComPtr<_clsAbout> about;
    ASSERT_EQ(factory->CreateInstance(nullptr, __uuidof(_clsAbout), about.OutVoid()), S_OK);
    factory.Reset();
    EXPECT_FALSE(iupdate::CanUnload()) << "an object counts";
    about.Reset();
    EXPECT_TRUE(iupdate::CanUnload());
}

// A user who may not write the machine's classes gets the same entries in his own, and their
// removal leaves both roots as they were.
TEST_F(LibraryClasses, TheUsersRootGetsTheSameEntriesAndLosesThemAgain) {
    iupdate::UpdateRegistration(iupdate::ClassesRoot::User, false);
    // Every Windows profile has these parents; a fresh Wine prefix may not have them yet.
    HKEY hParent = nullptr;
    for (const wchar_t* szParent : {L"Software\\Classes\\CLSID", L"Software\\Classes\\Interface",
                                    L"Software\\Classes\\TypeLib"})
        if (RegCreateKeyExW(HKEY_CURRENT_USER, szParent, 0, nullptr, 0, KEY_READ, nullptr, &hParent,
                            nullptr) == ERROR_SUCCESS)
            RegCloseKey(hParent);
    const RegistrySnapshot userBefore = Snapshot(HKEY_CURRENT_USER, L"Software\\Classes");
    const RegistrySnapshot machineBefore = Snapshot(HKEY_LOCAL_MACHINE, L"Software\\Classes");

    ASSERT_EQ(iupdate::UpdateRegistration(iupdate::ClassesRoot::User, true), S_OK);
    wchar_t clsid[40] = {};
    StringFromGUID2(CLSID_clsUpdate, clsid, 40);
    const auto read = [](const std::wstring& sKey) {
        wchar_t value[1024] = {};
        DWORD size = sizeof value;
        RegGetValueW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + sKey).c_str(), nullptr,
                     RRF_RT_REG_SZ, nullptr, value, &size);
        return std::wstring(value);
    };
    EXPECT_EQ(read(L"VyxIUpdate.clsUpdate\\CLSID"), clsid);
    EXPECT_EQ(win::Narrow(read(std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32")),
              LibraryPath());
    const auto machineAdded =
        Missing(Snapshot(HKEY_LOCAL_MACHINE, L"Software\\Classes"), machineBefore);
    EXPECT_TRUE(std::none_of(machineAdded.begin(), machineAdded.end(), [&](const auto& line) {
        return line.find(clsid) != std::wstring::npos || line.find(L"VyxIUpdate.cls") == 1;
    })) << "the classes stay out of the machine's root";

    ASSERT_EQ(iupdate::UpdateRegistration(iupdate::ClassesRoot::User, false), S_OK);
    EXPECT_EQ(Snapshot(HKEY_CURRENT_USER, L"Software\\Classes"), userBefore);
    EXPECT_EQ(Snapshot(HKEY_LOCAL_MACHINE, L"Software\\Classes"), machineBefore);
}

}  // namespace
}  // namespace quillon::test
