#include "iupdate/win/library_state.h"

namespace quillon::iupdate {

LibraryState& State() {
    static LibraryState state;
    return state;
}

}  // namespace quillon::iupdate
