#pragma once
// What the three public classes share around their members: automation texts and Booleans,
// and the rule that no failure reaches the caller.

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

#include "iupdate/win/library_report.h"
#include "shell/win/text.h"

namespace quillon::iupdate {

inline std::string FromBstr(BSTR b) {
    return b ? win::Narrow(std::wstring_view(b, SysStringLen(b))) : std::string();
}

// The automation Boolean: True is all bits set.
inline VARIANT_BOOL ToVariantBool(bool b) { return b ? VARIANT_TRUE : VARIANT_FALSE; }

// Runs a public member's body: a failure is reported (fatal form) as "sClass::sMember" and the
// member ends with what its results held at that point. The caller always sees success.
template <typename Body>
HRESULT PublicMember(std::string_view sClass, std::string_view sMember, Body&& body) {
    Handled(Reporter(), sClass, sMember, true, std::forward<Body>(body));
    return S_OK;
}

}  // namespace quillon::iupdate
