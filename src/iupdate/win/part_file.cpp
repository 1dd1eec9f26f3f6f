#include "iupdate/win/part_file.h"

#include "shell/error_report.h"
#include "shell/win/text.h"

namespace quillon::iupdate {

namespace {

HRESULT LastError() { return HRESULT_FROM_WIN32(GetLastError()); }

// The destination's folder, where a move into place is a rename on the same volume.
std::wstring FolderOf(const std::wstring& sPath) {
    const size_t lSlash = sPath.find_last_of(L"\\/");
    return lSlash == std::wstring::npos ? std::wstring(L".") : sPath.substr(0, lSlash + 1);
}

}  // namespace

PartFile::PartFile(std::string_view sDestination) : m_sDestination(win::Widen(sDestination)) {
    wchar_t buf[MAX_PATH] = {};
    if (m_sDestination.empty() ||
        !GetTempFileNameW(FolderOf(m_sDestination).c_str(), L"dl", 0, buf)) {
        throw QuillonError(ErrPathFileAccess, "Path/File access error: cannot write beside " +
                                                  std::string(sDestination));
    }
    m_sPart = buf;
    m_file.Reset(CreateFileW(m_sPart.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_file) {
        DeleteFileW(m_sPart.c_str());
        throw QuillonError(ErrPathFileAccess, "Path/File access error: " + win::Narrow(m_sPart));
    }
}

PartFile::~PartFile() {
    m_file.Reset();
    if (!m_bCommitted) DeleteFileW(m_sPart.c_str());
}

HRESULT PartFile::Write(const void* pData, DWORD lSize) {
    DWORD lWritten = 0;
    if (!WriteFile(m_file.Get(), pData, lSize, &lWritten, nullptr)) return LastError();
    return lWritten == lSize ? S_OK : HRESULT_FROM_WIN32(ERROR_DISK_FULL);
}

HRESULT PartFile::Commit() {
    m_file.Reset();
    if (!MoveFileExW(m_sPart.c_str(), m_sDestination.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        return LastError();
    }
    m_bCommitted = true;
    return S_OK;
}

}  // namespace quillon::iupdate
