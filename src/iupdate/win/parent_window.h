#pragma once
// The owner of a modal window of the library, from the objParentForm argument of the actions.

#include <oaidl.h>
#include <windows.h>

namespace quillon::iupdate {

// A form object answers its window through its "hWnd" property; a caller without one passes
// the handle itself as a 32- or 64-bit integer. Either may come by reference. An empty or
// missing argument and an empty object give no owner (null). Anything else throws
// QuillonError 13 (type mismatch); a form whose hWnd cannot be read throws what that read met.
HWND ParentWindow(const VARIANT* objParentForm);

}  // namespace quillon::iupdate
