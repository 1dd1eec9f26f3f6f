#include "iupdate/win/clsAsyncDownload.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "iupdate/win/library_report.h"
#include "iupdate/win/message_pump.h"
#include "iupdate/win/module.h"
#include "shell/error_report.h"
#include "shell/rounding.h"
#include "shell/win/text.h"

namespace quillon::iupdate {

namespace {

constexpr std::string_view kModule = "clsAsyncDownload";
constexpr std::string_view kFormType = "Content-Type: application/x-www-form-urlencoded\r\n";
constexpr std::string_view kLineBreak = "\r\n";

bool ContainsNoCase(std::string_view sText, std::string_view sPart) {
    return std::search(sText.begin(), sText.end(), sPart.begin(), sPart.end(), [](char a, char b) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
               };
               return lower(a) == lower(b);
           }) != sText.end();
}

// A copy the platform frees with CoTaskMemFree.
LPWSTR TaskCopy(std::wstring_view sText) {
    auto* p = static_cast<LPWSTR>(CoTaskMemAlloc((sText.size() + 1) * sizeof(wchar_t)));
    if (p) {
        std::memcpy(p, sText.data(), sText.size() * sizeof(wchar_t));
        p[sText.size()] = L'\0';
    }
    return p;
}

std::string FromWide(LPCWSTR sz) { return sz ? win::Narrow(sz) : std::string(); }

// A handler's failure must not unwind into the platform's code: it is reported as the event's.
template <typename Body>
void Raise(std::string_view sEvent, Body&& body) {
    Handled(Reporter(), kModule, sEvent, true, std::forward<Body>(body));
}

}  // namespace

void AsyncDownloadRelease::operator()(clsAsyncDownload* p) const {
    p->Detach();
    p->Release();
}

AsyncDownloadPtr clsAsyncDownload::Create(IAsyncDownloadEvents* pEvents) {
    return AsyncDownloadPtr(new clsAsyncDownload(pEvents));
}

clsAsyncDownload::clsAsyncDownload(IAsyncDownloadEvents* pEvents) : m_pEvents(pEvents) {
    // The platform may hold the object after its owner let go: the module must stay loaded.
    ObjectCreated();
}

clsAsyncDownload::~clsAsyncDownload() {
    UrlMkSetSessionOption(URLMON_OPTION_USERAGENT_REFRESH, nullptr, 0, 0);
    ObjectDestroyed();
}

void clsAsyncDownload::Detach() {
    m_pEvents = nullptr;
    AbortDownload();
}

void clsAsyncDownload::AbortDownload() {
    if (m_binding) m_binding->Abort();
}

void clsAsyncDownload::Download(std::string_view sURL, int32_t lDownloadType,
                                std::string_view sFileName, std::string_view sMethod,
                                std::string_view sOptionalHeader, std::string_view sPostData) {
    if (m_binding) {
        throw QuillonError(kErrStillDownloading,
                           "A download operation is still running. Cannot start a new one.");
    }
    if (lDownloadType != kDownloadToFile) {
        throw QuillonError(ErrInvalidCall, "Download type " + std::to_string(lDownloadType) +
                                               " is not supported: only 1 (into a file) is.");
    }
    m_bBlocking = false;
    m_sBody = sPostData;  // form-encoded, hence ASCII: the same bytes in any code page

    std::string sHeaders(sOptionalHeader);
    if (!m_sBody.empty() && !ContainsNoCase(sHeaders, "Content-Type:")) {
        sHeaders.insert(0, kFormType);
    }
    if (!sHeaders.ends_with(kLineBreak)) sHeaders += kLineBreak;
    m_sHeaders = win::Widen(sHeaders);

    m_sMethod = win::Widen(sMethod.empty() ? std::string_view("GET") : sMethod);
    CharUpperBuffW(m_sMethod.data(), static_cast<DWORD>(m_sMethod.size()));

    // The owner may let go of its handle in a handler while the transfer runs in here.
    AddRef();
    struct Unref {
        clsAsyncDownload* p;
        ~Unref() { p->Release(); }
    } unref{this};

    m_file = std::make_unique<PartFile>(sFileName);
    m_hrWrite = S_OK;
    m_lHttpStatus = 0;
    m_bStopped = false;

    win::ComPtr<IMoniker> moniker;
    win::ComPtr<IBindCtx> context;
    win::ComPtr<IStream> stream;
    HRESULT hr =
        CreateURLMonikerEx(nullptr, win::Widen(sURL).c_str(), moniker.Out(), URL_MK_UNIFORM);
    if (SUCCEEDED(hr)) {
        hr = CreateAsyncBindCtx(0, this, nullptr, context.Out());
        if (FAILED(hr)) {
            m_file.reset();
            m_bStopped = true;
            throw QuillonError(hr, "The bind context of the download could not be created.");
        }
        hr = moniker->BindToStorage(context.Get(), nullptr, IID_IStream, stream.OutVoid());
    }
    // A started binding ends with its stop notification, which may come after the call has
    // returned (asynchronous binding on Windows); a refused one never starts.
    if (SUCCEEDED(hr) || m_binding) {
        PumpUntil([this] { return m_bStopped; }, [this] { AbortDownload(); });
    }
    m_file.reset();
    m_bStopped = true;
}

int32_t clsAsyncDownload::Finish(HRESULT hresult) {
    HRESULT hr = FAILED(m_hrWrite) ? m_hrWrite : hresult;
    // Wine reports a server it could not reach (no address, nobody listening) with its generic
    // download failure and no response; Windows, and the library's handlers, with 0x800C0005.
    if (hr == INET_E_DOWNLOAD_FAILURE && m_lHttpStatus == 0) hr = INET_E_RESOURCE_NOT_FOUND;
    // Wine ends a transfer answered with an error page as completed: that page is no download.
    // A missing resource takes the code the library's handlers read as "not found".
    if (SUCCEEDED(hr) && m_lHttpStatus >= 400) {
        hr = m_lHttpStatus == 404 || m_lHttpStatus == 410 ? INET_E_DATA_NOT_AVAILABLE
                                                          : INET_E_DOWNLOAD_FAILURE;
    }
    if (SUCCEEDED(hr) && m_file) hr = m_file->Commit();
    m_file.reset();
    return SUCCEEDED(hr) ? kDownloadCompleted : static_cast<int32_t>(hr);
}

void clsAsyncDownload::WriteAvailable(IStream* pStream) {
    std::vector<BYTE> buffer(64 * 1024);
    for (;;) {
        ULONG lRead = 0;
        const HRESULT hr = pStream->Read(buffer.data(), static_cast<ULONG>(buffer.size()), &lRead);
        if (lRead > 0 && SUCCEEDED(m_hrWrite) && m_file) {
            m_hrWrite = m_file->Write(buffer.data(), lRead);
            if (FAILED(m_hrWrite)) AbortDownload();
        }
        // S_FALSE at the end, E_PENDING until more has arrived.
        if (hr != S_OK || lRead == 0) return;
    }
}

STDMETHODIMP clsAsyncDownload::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IBindStatusCallback) {
        *ppv = static_cast<IBindStatusCallback*>(this);
    } else if (riid == IID_IHttpNegotiate) {
        *ppv = static_cast<IHttpNegotiate*>(this);
    } else if (riid == IID_IAuthenticate) {
        *ppv = static_cast<IAuthenticate*>(this);
    } else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) clsAsyncDownload::AddRef() { return ++m_lRefs; }

STDMETHODIMP_(ULONG) clsAsyncDownload::Release() {
    const ULONG lLeft = --m_lRefs;
    if (lLeft == 0) delete this;
    return lLeft;
}

STDMETHODIMP clsAsyncDownload::OnStartBinding(DWORD, IBinding* pib) {
    if (!pib) return E_INVALIDARG;
    pib->AddRef();
    *m_binding.Out() = pib;
    Raise("StartingDownload", [&] {
        if (m_pEvents) m_pEvents->StartingDownload();
    });
    return S_OK;
}

STDMETHODIMP clsAsyncDownload::GetPriority(LONG* pnPriority) {
    if (!pnPriority) return E_POINTER;
    *pnPriority = THREAD_PRIORITY_NORMAL;
    return S_OK;
}

STDMETHODIMP clsAsyncDownload::OnLowResource(DWORD) { return S_OK; }

STDMETHODIMP clsAsyncDownload::OnProgress(ULONG ulProgress, ULONG ulProgressMax, ULONG ulStatusCode,
                                          LPCWSTR szStatusText) {
    const int32_t lPercent =
        ulProgressMax == 0
            ? 0
            : static_cast<int32_t>(RoundHalfEven(ulProgress * 100.0 / ulProgressMax));
    Raise("Progress", [&] {
        if (m_pEvents) {
            m_pEvents->Progress(lPercent, static_cast<int32_t>(ulStatusCode),
                                FromWide(szStatusText));
        }
    });
    DoEvents();
    return S_OK;
}

STDMETHODIMP clsAsyncDownload::OnStopBinding(HRESULT hresult, LPCWSTR) {
    const int32_t lErrNum = Finish(hresult);
    Raise("DownloadComplete", [&] {
        if (m_pEvents) m_pEvents->DownloadComplete(lErrNum);
    });
    m_binding.Reset();
    m_bStopped = true;
    return S_OK;
}

STDMETHODIMP clsAsyncDownload::GetBindInfo(DWORD* grfBINDF, BINDINFO* pbindinfo) {
    if (!grfBINDF || !pbindinfo) return E_INVALIDARG;
    *grfBINDF = m_bBlocking ? (m_lFlags & ~static_cast<DWORD>(BINDF_ASYNCHRONOUS)) : m_lFlags;

    // The caller's structure may be a later, larger version: its size stays as it said.
    const ULONG lSize = pbindinfo->cbSize;
    std::memset(pbindinfo, 0, std::min<ULONG>(lSize, sizeof(BINDINFO)));
    pbindinfo->cbSize = lSize;
    pbindinfo->dwBindVerb = BINDVERB_CUSTOM;
    pbindinfo->szCustomVerb = TaskCopy(m_sMethod);
    if (!pbindinfo->szCustomVerb) return E_OUTOFMEMORY;
    if (!m_sBody.empty()) {
        // The platform frees the block with the rest of the bind information.
        const HGLOBAL hBody = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, m_sBody.size());
        void* pBody = hBody ? GlobalLock(hBody) : nullptr;
        if (!pBody) {
            if (hBody) GlobalFree(hBody);
            return E_OUTOFMEMORY;
        }
        std::memcpy(pBody, m_sBody.data(), m_sBody.size());
        GlobalUnlock(hBody);
        pbindinfo->stgmedData.tymed = TYMED_HGLOBAL;
        pbindinfo->stgmedData.hGlobal = hBody;
        pbindinfo->stgmedData.pUnkForRelease = nullptr;
        pbindinfo->cbstgmedData = static_cast<DWORD>(m_sBody.size());
    }
    return S_OK;
}

STDMETHODIMP clsAsyncDownload::OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM* pstgmed) {
    if (pstgmed && pstgmed->tymed == TYMED_ISTREAM && pstgmed->pstm) {
        WriteAvailable(pstgmed->pstm);
    }
    return S_OK;
}

STDMETHODIMP clsAsyncDownload::OnObjectAvailable(REFIID, IUnknown*) { return S_OK; }

STDMETHODIMP clsAsyncDownload::BeginningTransaction(LPCWSTR, LPCWSTR, DWORD,
                                                    LPWSTR* pszAdditionalHeaders) {
    if (!pszAdditionalHeaders) return E_POINTER;
    *pszAdditionalHeaders = TaskCopy(m_sHeaders);
    return *pszAdditionalHeaders ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP clsAsyncDownload::OnResponse(DWORD dwResponseCode, LPCWSTR szResponseHeaders, LPCWSTR,
                                          LPWSTR* pszAdditionalRequestHeaders) {
    if (pszAdditionalRequestHeaders) *pszAdditionalRequestHeaders = nullptr;
    m_lHttpStatus = static_cast<int32_t>(dwResponseCode);
    Raise("HTTPResponse", [&] {
        if (m_pEvents) {
            m_pEvents->HTTPResponse(static_cast<int32_t>(dwResponseCode),
                                    FromWide(szResponseHeaders));
        }
    });
    return S_OK;
}

STDMETHODIMP clsAsyncDownload::Authenticate(HWND*, LPWSTR* pszUsername, LPWSTR* pszPassword) {
    if (!pszUsername || !pszPassword) return E_POINTER;
    std::string sUser;
    std::string sPassword;
    Raise("Authenticate", [&] {
        if (m_pEvents) m_pEvents->Authenticate(sUser, sPassword);
    });
    *pszUsername = TaskCopy(win::Widen(sUser));
    *pszPassword = TaskCopy(win::Widen(sPassword));
    return *pszUsername && *pszPassword ? S_OK : E_OUTOFMEMORY;
}

}  // namespace quillon::iupdate
