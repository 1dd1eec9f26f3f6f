#pragma once
// The modal feedback window: name, e-mail address and feedback checked, sent with the product's
// and the system's versions to the maker's relay page, and the outcome shown. Name and address
// are remembered for the next time.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "iupdate/win/clsAsyncDownload.h"
#include "ui/win/dialog_base.h"

namespace quillon::iupdate {

// The relay page the feedback goes to: the build's server address and "/updates/submit.asp".
std::string RelayUrl();

// Where the window keeps the name and address ("Submit Name", "Submit Email").
inline constexpr std::string_view kSubmitKey = "Software\\Freeware\\Veltrane\\IUpdate";

class frmSubmit final : public win::DialogBase, private IAsyncDownloadEvents {
  public:
    // sRelayUrl is where the request goes (RelayUrl() in the library).
    explicit frmSubmit(std::string sRelayUrl);

    // Shows the window modally over hOwner with the library's resources.
    void Show(HWND hOwner);

  private:
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void cmdOK_Click();
    bool IsValid();
    void Send_Email();
    // IAsyncDownloadEvents of objSend
    void DownloadComplete(int32_t lErrNum) override;
    void HTTPResponse(int32_t lResponse, const std::string& sHeaders) override;

    // The buttons are disabled exactly while a request runs.
    bool Sending() const;
    void SetButtons(bool bEnabled);
    void SetBusy(bool bBusy);
    int Message(UINT lTextId, const std::wstring& sTitle, UINT uIcon) const;

    std::string m_sRelayUrl;
    AsyncDownloadPtr objSend;
    std::string m_sReplyFile;   // where the relay's answer lands; removed after the request
    int32_t m_lHttpStatus = 0;  // of the last request's response
    bool m_bCompleted = false;  // the last request ended with DownloadComplete
    bool m_bBusy = false;       // the hourglass is shown over the window
};

}  // namespace quillon::iupdate
