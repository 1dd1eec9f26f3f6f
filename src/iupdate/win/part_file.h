#pragma once
// The file a download writes: kept under a temporary name in the destination's folder and moved
// over the destination only when the transfer has completed, so that a failed or aborted
// transfer leaves no half-written file behind (and keeps what was there before).

#include <windows.h>

#include <string>
#include <string_view>

#include "shell/win/scoped.h"

namespace quillon::iupdate {

class PartFile {
  public:
    // Creates the temporary file beside sDestination (UTF-8); throws QuillonError 75 when the
    // destination's folder cannot hold it.
    explicit PartFile(std::string_view sDestination);
    // Removes the temporary file unless it was committed.
    ~PartFile();
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    HRESULT Write(const void* pData, DWORD lSize);
    // Closes the file and moves it over the destination.
    HRESULT Commit();

  private:
    std::wstring m_sDestination;
    std::wstring m_sPart;
    win::ScopedFile m_file;
    bool m_bCommitted = false;
};

}  // namespace quillon::iupdate
