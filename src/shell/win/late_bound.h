#pragma once
// A component object reached only through IDispatch, by member name, as the game reaches the
// update library: created by its registered class name and released at the end of its scope.
// COM must be initialised on the calling thread for as long as the object lives.

#include <oaidl.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "shell/win/scoped.h"

namespace quillon::win {

ScopedVariant VariantFromLong(int32_t lValue);
ScopedVariant VariantFromText(std::string_view sUtf8);
// A window handle travels as a 64-bit integer, which the library accepts as the owner window.
ScopedVariant VariantFromWindow(HWND hwnd);

class LateBound {
  public:
    // Throws QuillonError 429 when the class cannot be created by that name.
    explicit LateBound(std::string_view sProgId);
    // An object already at hand; throws QuillonError 429 for an empty one.
    explicit LateBound(ComPtr<IDispatch> object);

    // The members throw QuillonError for a failed call: the component's own error number and
    // description when it raised one, otherwise the automation error the call met.
    void Put(std::string_view sName, const VARIANT& value);
    ScopedVariant Get(std::string_view sName);
    // Arguments in their written order. A by-reference argument is written back through its
    // reference; the others are only read.
    ScopedVariant Call(std::string_view sName, std::initializer_list<const VARIANT*> args = {});

    IDispatch* Object() const { return m_object.Get(); }

  private:
    DISPID IdOf(std::string_view sName) const;
    ScopedVariant Invoke(std::string_view sName, WORD wFlags, DISPPARAMS& params) const;

    ComPtr<IDispatch> m_object;
};

}  // namespace quillon::win
