#include "shell/win/late_bound.h"

#include <iterator>
#include <new>
#include <vector>

#include "shell/error_report.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

// The numbers a late-bound call is known by in the game's reports.
constexpr int32_t kErrMemberNotFound = 438;
constexpr int32_t kErrWrongArguments = 450;

std::string FromBstr(BSTR b) { return b ? Narrow(std::wstring_view(b, SysStringLen(b))) : ""; }

// What a component raised: its own number when it gave one, the code inside a control
// failure (the facility components report their numbered errors in), else the whole HRESULT.
[[noreturn]] void ThrowRaised(std::string_view sName, EXCEPINFO& info) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    const ScopedBstr description(info.bstrDescription ? info.bstrDescription : L"");
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    int32_t lNumber = info.wCode;
    if (lNumber == 0) {
        lNumber = HRESULT_FACILITY(info.scode) == FACILITY_CONTROL ? HRESULT_CODE(info.scode)
                                                                   : info.scode;
    }
    std::string sText = FromBstr(description.Get());
    if (sText.empty()) sText = "Automation error in " + std::string(sName);
    throw QuillonError(lNumber, sText);
}

[[noreturn]] void ThrowCallFailure(std::string_view sName, HRESULT hr) {
    switch (hr) {
        case DISP_E_UNKNOWNNAME:
        case DISP_E_MEMBERNOTFOUND:
            throw QuillonError(kErrMemberNotFound,
                               "Object doesn't support this property or "
                               "method: " +
                                   std::string(sName));
        case DISP_E_TYPEMISMATCH:
            throw QuillonError(ErrTypeMismatch, "Type mismatch in " + std::string(sName));
        case DISP_E_BADPARAMCOUNT:
        case DISP_E_PARAMNOTOPTIONAL:
            throw QuillonError(
                kErrWrongArguments,
                "Wrong number of arguments or invalid property assignment: " + std::string(sName));
        default:
            throw QuillonError(static_cast<int32_t>(hr),
                               "Automation error &H" + HexCode(hr) + " in " + std::string(sName));
    }
}

}  // namespace

ScopedVariant VariantFromLong(int32_t lValue) {
    ScopedVariant v;
    V_VT(v.Get()) = VT_I4;
    V_I4(v.Get()) = lValue;
    return v;
}

ScopedVariant VariantFromText(std::string_view sUtf8) {
    ScopedVariant v;
    ScopedBstr text(Widen(sUtf8));
    if (!text.Get()) throw std::bad_alloc();
    V_VT(v.Get()) = VT_BSTR;
    V_BSTR(v.Get()) = text.Release();
    return v;
}

ScopedVariant VariantFromWindow(HWND hwnd) {
    ScopedVariant v;
    V_VT(v.Get()) = VT_I8;
    V_I8(v.Get()) = reinterpret_cast<LONG_PTR>(hwnd);
    return v;
}

LateBound::LateBound(std::string_view sProgId) {
    CLSID clsid;
    const std::wstring wProgId = Widen(sProgId);
    HRESULT hr = CLSIDFromProgID(wProgId.c_str(), &clsid);
    if (SUCCEEDED(hr)) {
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              m_object.OutVoid());
    }
    if (FAILED(hr) || !m_object) {
        throw QuillonError(
            ErrCannotCreateObject,
            "Cannot create the object " + std::string(sProgId) + " (&H" + HexCode(hr) + ")");
    }
}

LateBound::LateBound(ComPtr<IDispatch> object) : m_object(std::move(object)) {
    if (!m_object) throw QuillonError(ErrCannotCreateObject, "No object to call");
}

DISPID LateBound::IdOf(std::string_view sName) const {
    std::wstring wName = Widen(sName);
    LPOLESTR names[] = {wName.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = m_object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) ThrowCallFailure(sName, hr);
    return id;
}

ScopedVariant LateBound::Invoke(std::string_view sName, WORD wFlags, DISPPARAMS& params) const {
    const DISPID id = IdOf(sName);
    ScopedVariant result;
    EXCEPINFO info{};
    UINT argError = 0;
    const HRESULT hr = m_object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                        result.Get(), &info, &argError);
    if (hr == DISP_E_EXCEPTION) ThrowRaised(sName, info);
    if (FAILED(hr)) ThrowCallFailure(sName, hr);
    return result;
}

void LateBound::Put(std::string_view sName, const VARIANT& value) {
    // Invoke takes the arguments as writable, though a property put only reads its value.
    VARIANT arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    Invoke(sName, DISPATCH_PROPERTYPUT, params);
}

ScopedVariant LateBound::Get(std::string_view sName) {
    DISPPARAMS params{nullptr, nullptr, 0, 0};
    return Invoke(sName, DISPATCH_PROPERTYGET, params);
}

ScopedVariant LateBound::Call(std::string_view sName, std::initializer_list<const VARIANT*> args) {
    // Shallow copies in the reverse order that IDispatch expects: the callee frees none of its
    // arguments, and a by-reference one still points at the caller's storage.
    std::vector<VARIANT> reversed;
    reversed.reserve(args.size());
    for (auto it = std::rbegin(args); it != std::rend(args); ++it) reversed.push_back(**it);
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return Invoke(sName, DISPATCH_METHOD, params);
}

}  // namespace quillon::win
