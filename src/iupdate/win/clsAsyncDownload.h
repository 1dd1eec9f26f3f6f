#pragma once
// The library's one network client: fetches one URL at a time through a URL moniker bound to
// storage, with a chosen verb, extra headers and a form body, and tells its owner what happens.
// It is its own binding callback, so the platform holds references to it while a transfer runs;
// the owner's handle only detaches the owner, and the object goes when the platform lets go.

#include <urlmon.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "iupdate/win/part_file.h"
#include "shell/win/scoped.h"

namespace quillon::iupdate {

// What the owner hears of a transfer; every handler may be left as it is.
class IAsyncDownloadEvents {
  public:
    virtual ~IAsyncDownloadEvents() = default;
    // The platform has started the binding; Downloading is already True.
    virtual void StartingDownload() {}
    // lStatus is a BINDSTATUS value; window messages are processed when the handler returns.
    virtual void Progress(int32_t /*lPercent*/, int32_t /*lStatus*/,
                          const std::string& /*sStatusText*/) {}
    // 1 for a completed transfer, else the platform's failure code: 0x800C0005 for a server
    // that could not be reached (whatever Wine says), and for a response with an HTTP error
    // status 0x800C0007 (404 and 410) or 0x800C0008. A failed transfer leaves no file.
    // Downloading still reads True inside the handler.
    virtual void DownloadComplete(int32_t /*lErrNum*/) {}
    // The server asks for credentials; both start empty and what is left in them is sent.
    virtual void Authenticate(std::string& /*sUser*/, std::string& /*sPassword*/) {}
    virtual void HTTPResponse(int32_t /*lResponse*/, const std::string& /*sHeaders*/) {}
};

// The "still running" error of a second Download on the same object.
inline constexpr int32_t kErrStillDownloading = static_cast<int32_t>(0x80040000u);
// DownloadComplete's code for a completed transfer.
inline constexpr int32_t kDownloadCompleted = 1;
// The download types: only 1, into a file, is served.
inline constexpr int32_t kDownloadToFile = 1;

class clsAsyncDownload;

// Releasing the owner's handle detaches the events and aborts a running transfer.
struct AsyncDownloadRelease {
    void operator()(clsAsyncDownload* p) const;
};
using AsyncDownloadPtr = std::unique_ptr<clsAsyncDownload, AsyncDownloadRelease>;

class clsAsyncDownload final : public IBindStatusCallback,
                               public IHttpNegotiate,
                               public IAuthenticate {
  public:
    // pEvents must outlive the handle (the handle's release detaches it).
    static AsyncDownloadPtr Create(IAsyncDownloadEvents* pEvents);

    clsAsyncDownload(const clsAsyncDownload&) = delete;
    clsAsyncDownload& operator=(const clsAsyncDownload&) = delete;

    // The base bind flags: asynchronous, newest version and resynchronise by default.
    uint32_t Flags() const { return m_lFlags; }
    void SetFlags(uint32_t lFlags) { m_lFlags = lFlags; }
    // True exactly while the platform's binding is held.
    bool Downloading() const { return static_cast<bool>(m_binding); }
    // Asks a running binding to stop; DownloadComplete follows with a failure code.
    void AbortDownload();

    // Fetches sURL into sFileName and returns when the transfer has ended (its events, and
    // other window messages, arrive meanwhile). The file appears only when the transfer
    // completes; a failed one leaves whatever was there before. sMethod is upper-cased ("GET"
    // when empty); sPostData (form-encoded text) travels as the body with the form content type
    // unless sOptionalHeader names one. Throws QuillonError kErrStillDownloading while a
    // transfer runs, and 5 for a download type other than 1. A URL the platform refuses before
    // binding raises no event.
    void Download(std::string_view sURL, int32_t lDownloadType, std::string_view sFileName,
                  std::string_view sMethod = {}, std::string_view sOptionalHeader = {},
                  std::string_view sPostData = {});

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IBindStatusCallback
    STDMETHODIMP OnStartBinding(DWORD dwReserved, IBinding* pib) override;
    STDMETHODIMP GetPriority(LONG* pnPriority) override;
    STDMETHODIMP OnLowResource(DWORD reserved) override;
    STDMETHODIMP OnProgress(ULONG ulProgress, ULONG ulProgressMax, ULONG ulStatusCode,
                            LPCWSTR szStatusText) override;
    STDMETHODIMP OnStopBinding(HRESULT hresult, LPCWSTR szError) override;
    STDMETHODIMP GetBindInfo(DWORD* grfBINDF, BINDINFO* pbindinfo) override;
    STDMETHODIMP OnDataAvailable(DWORD grfBSCF, DWORD dwSize, FORMATETC* pformatetc,
                                 STGMEDIUM* pstgmed) override;
    STDMETHODIMP OnObjectAvailable(REFIID riid, IUnknown* punk) override;
    // IHttpNegotiate
    STDMETHODIMP BeginningTransaction(LPCWSTR szURL, LPCWSTR szHeaders, DWORD dwReserved,
                                      LPWSTR* pszAdditionalHeaders) override;
    STDMETHODIMP OnResponse(DWORD dwResponseCode, LPCWSTR szResponseHeaders,
                            LPCWSTR szRequestHeaders, LPWSTR* pszAdditionalRequestHeaders) override;
    // IAuthenticate
    STDMETHODIMP Authenticate(HWND* phwnd, LPWSTR* pszUsername, LPWSTR* pszPassword) override;

  private:
    friend struct AsyncDownloadRelease;

    explicit clsAsyncDownload(IAsyncDownloadEvents* pEvents);
    ~clsAsyncDownload();

    void Detach();
    // Drains what the stream holds now into the part file; a write failure aborts the binding.
    void WriteAvailable(IStream* pStream);
    // The code DownloadComplete reports: 1 for success once the file is in place.
    int32_t Finish(HRESULT hresult);

    std::atomic<ULONG> m_lRefs{1};
    IAsyncDownloadEvents* m_pEvents;
    uint32_t m_lFlags = BINDF_ASYNCHRONOUS | BINDF_GETNEWESTVERSION | BINDF_RESYNCHRONIZE;
    bool m_bBlocking = false;
    std::wstring m_sMethod;
    std::wstring m_sHeaders;
    std::string m_sBody;
    win::ComPtr<IBinding> m_binding;
    std::unique_ptr<PartFile> m_file;
    HRESULT m_hrWrite = S_OK;   // the first failure to write the file
    int32_t m_lHttpStatus = 0;  // of the current transfer's response, 0 before it
    bool m_bStopped = true;     // the current transfer's stop notification has come
};

}  // namespace quillon::iupdate
