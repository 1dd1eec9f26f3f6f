#include "iupdate/win/registration.h"

#include <oleauto.h>

#include <string>

#include "iupdate/win/class_table.h"
#include "iupdate/win/module.h"
#include "shell/win/scoped.h"

// oleaut32 has exported these since Windows Vista; mingw-w64's oleauto.h does not declare them.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* ptlib, OLECHAR* szFullPath, OLECHAR* szHelpDir);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libID, WORD wMajorVerNum, WORD wMinorVerNum,
                                        LCID lcid, SYSKIND syskind);
}

namespace quillon::iupdate {

namespace {

constexpr wchar_t kThreadingModel[] = L"Apartment";

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

bool Denied(HRESULT hr) { return hr == E_ACCESSDENIED || hr == TYPE_E_REGISTRYACCESS; }

bool Missing(LSTATUS status) {
    return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

HRESULT SetText(HKEY root, const std::wstring& sKey, const wchar_t* szName,
                const std::wstring& sValue) {
    win::ScopedHKey key;
    LSTATUS status = RegCreateKeyExW(root, sKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, key.Out(), nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExW(key.Get(), szName, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(sValue.c_str()),
                                static_cast<DWORD>((sValue.size() + 1) * sizeof(wchar_t)));
    }
    return HRESULT_FROM_WIN32(status);
}

HRESULT DeleteTree(HKEY root, const std::wstring& sKey) {
    const LSTATUS status = RegDeleteTreeW(root, sKey.c_str());
    return Missing(status) ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT UpdateClass(HKEY root, const ClassEntry& entry, const std::wstring& sLibId,
                    const std::wstring& sModule, bool bRegister) {
    const std::wstring sClsid = GuidText(*entry.pClsid);
    const std::wstring sClassKey = L"CLSID\\" + sClsid;
    const std::wstring sProgId = entry.szProgId;
    if (!bRegister) {
        const HRESULT hr = DeleteTree(root, sClassKey);
        const HRESULT hrName = DeleteTree(root, sProgId);
        return FAILED(hr) ? hr : hrName;
    }
    const struct {
        std::wstring sKey;
        const wchar_t* szName;
        std::wstring sValue;
    } values[] = {
        {sClassKey, nullptr, sProgId},
        {sClassKey + L"\\InprocServer32", nullptr, sModule},
        {sClassKey + L"\\InprocServer32", L"ThreadingModel", kThreadingModel},
        {sClassKey + L"\\ProgID", nullptr, sProgId},
        {sClassKey + L"\\TypeLib", nullptr, sLibId},
        {sClassKey + L"\\Version", nullptr, L"1.2"},
        {sProgId, nullptr, sProgId},
        {sProgId + L"\\CLSID", nullptr, sClsid},
    };
    for (const auto& v : values) {
        const HRESULT hr = SetText(root, v.sKey, v.szName, v.sValue);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT UpdateTypeLibrary(ITypeLib* typeLib, const std::wstring& sModule, ClassesRoot root,
                          bool bRegister) {
    std::wstring sPath = sModule;  // the functions take writable texts
    if (bRegister) {
        return root == ClassesRoot::Machine
                   ? RegisterTypeLib(typeLib, sPath.data(), nullptr)
                   : RegisterTypeLibForUser(typeLib, sPath.data(), nullptr);
    }
    TLIBATTR* attr = nullptr;
    HRESULT hr = typeLib->GetLibAttr(&attr);
    if (FAILED(hr)) return hr;
    const TLIBATTR a = *attr;
    typeLib->ReleaseTLibAttr(attr);
    hr = root == ClassesRoot::Machine
             ? UnRegisterTypeLib(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind)
             : UnRegisterTypeLibForUser(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind);
    // Nothing registered under this root is nothing to remove.
    return hr == TYPE_E_REGISTRYACCESS || hr == TYPE_E_CANTLOADLIBRARY ? S_OK : hr;
}

}  // namespace

HRESULT UpdateRegistration(ClassesRoot root, bool bRegister) {
    const std::wstring sModule = ModulePath();
    if (sModule.empty()) return HRESULT_FROM_WIN32(GetLastError());
    win::ComPtr<ITypeLib> typeLib;
    HRESULT hr = LoadTypeLibEx(sModule.c_str(), REGKIND_NONE, typeLib.Out());
    if (FAILED(hr)) return hr;
    TLIBATTR* attr = nullptr;
    hr = typeLib->GetLibAttr(&attr);
    if (FAILED(hr)) return hr;
    const std::wstring sLibId = GuidText(attr->guid);
    typeLib->ReleaseTLibAttr(attr);

    const HKEY hParent = root == ClassesRoot::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    win::ScopedHKey classes;
    // The user's classes key may be missing in a fresh profile; the machine's never is.
    const LSTATUS status =
        bRegister && root == ClassesRoot::User
            ? RegCreateKeyExW(hParent, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              classes.Out(), nullptr)
            : RegOpenKeyExW(hParent, L"Software\\Classes", 0, KEY_ALL_ACCESS, classes.Out());
    if (!bRegister && Missing(status)) return S_OK;
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    const HKEY hRoot = classes.Get();

    HRESULT hrFirst = S_OK;
    for (const ClassEntry& entry : Classes()) {
        hr = UpdateClass(hRoot, entry, sLibId, sModule, bRegister);
        if (FAILED(hr)) {
            // Registration stops at the first failure; removal goes on with the rest.
            if (bRegister) return hr;
            if (SUCCEEDED(hrFirst)) hrFirst = hr;
        }
    }
    hr = UpdateTypeLibrary(typeLib.Get(), sModule, root, bRegister);
    return FAILED(hrFirst) ? hrFirst : hr;
}

HRESULT RegisterLibrary() {
    const HRESULT hr = UpdateRegistration(ClassesRoot::Machine, true);
    if (!Denied(hr)) return hr;
    // Whatever did get written under the machine root goes again before the user's copy.
    UpdateRegistration(ClassesRoot::Machine, false);
    return UpdateRegistration(ClassesRoot::User, true);
}

HRESULT UnregisterLibrary() {
    HRESULT hr = UpdateRegistration(ClassesRoot::Machine, false);
    // A standard user cannot touch the machine's entries; the user's own may still be there.
    if (Denied(hr)) hr = S_OK;
    const HRESULT hrUser = UpdateRegistration(ClassesRoot::User, false);
    return FAILED(hr) ? hr : hrUser;
}

}  // namespace quillon::iupdate
