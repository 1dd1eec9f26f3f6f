#include "iupdate/win/parent_window.h"

#include "shell/error_report.h"
#include "shell/win/late_bound.h"
#include "shell/win/scoped.h"

namespace quillon::iupdate {

namespace {

[[noreturn]] void ThrowMismatch() {
    throw QuillonError(ErrTypeMismatch, "objParentForm is neither a form nor a window handle");
}

win::ScopedVariant FormHandle(IDispatch* form) {
    win::ComPtr<IDispatch> object;
    form->AddRef();
    *object.Out() = form;
    return win::LateBound(std::move(object)).Get("hWnd");
}

}  // namespace

HWND ParentWindow(const VARIANT* objParentForm) {
    if (!objParentForm) return nullptr;
    // A Variant variable passed by reference wraps the value once more.
    if (V_VT(objParentForm) == (VT_VARIANT | VT_BYREF)) {
        objParentForm = V_VARIANTREF(objParentForm);
        if (!objParentForm) return nullptr;
    }
    win::ScopedVariant value;
    if (FAILED(VariantCopyInd(value.Get(), const_cast<VARIANT*>(objParentForm)))) ThrowMismatch();
    switch (value.Type()) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_ERROR:  // an optional argument left out
            return nullptr;
        case VT_DISPATCH:
            if (!V_DISPATCH(value.Get())) return nullptr;
            value = FormHandle(V_DISPATCH(value.Get()));
            break;
        case VT_I4:
        case VT_UI4:
        case VT_I8:
        case VT_UI8:
        case VT_INT:
        case VT_UINT:
            break;
        default:
            ThrowMismatch();
    }
    // 32-bit handles widen with their sign, as the system itself widens them.
    win::ScopedVariant handle;
    if (FAILED(VariantChangeType(handle.Get(), value.Get(), 0, VT_I8))) ThrowMismatch();
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(V_I8(handle.Get())));
}

}  // namespace quillon::iupdate
