#pragma once
// The update wizard: step 1 fetches the update descriptor and decides what can be done; step 2
// downloads the files the user keeps checked, one after the other, and installs them. A log,
// newest line first, tells each stage. It is loaded hidden first and then shown modally over
// the caller's window, with its own message loop.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "iupdate/win/clsAsyncDownload.h"
#include "ui/win/dialog_base.h"

namespace quillon::iupdate {

class frmInternetUpdate final : public win::DialogBase {
  public:
    frmInternetUpdate();
    ~frmInternetUpdate() override;

    // Makes the window, hidden, and runs Form_Load; false when the window could not be made.
    bool Load();
    // Shows the loaded window modally, owned by hOwner (none when null), and returns when it
    // has been closed; Form_Unload has run by then.
    void ShowModal(HWND hOwner);

  private:
    // Each transfer tells its own handlers, as the two download objects' events do.
    class ReleaseEvents final : public IAsyncDownloadEvents {
      public:
        explicit ReleaseEvents(frmInternetUpdate& form) : m_form(form) {}
        void StartingDownload() override { m_form.objRelease_StartingDownload(); }
        void Progress(int32_t lPercent, int32_t lStatus, const std::string& sText) override {
            m_form.objRelease_Progress(lPercent, lStatus, sText);
        }
        void DownloadComplete(int32_t lErrNum) override {
            m_form.objRelease_DownloadComplete(lErrNum);
        }

      private:
        frmInternetUpdate& m_form;
    };

    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int lId);

    void Form_Load();
    void Form_Unload();
    // The title-bar close box and Exit end the modal loop; a running transfer is aborted.
    void Close();

    void cmdStartStep1_Click();
    void cmdCancelStep1_Click();
    void cmdOK_Click();
    void objRelease_StartingDownload();
    void objRelease_Progress(int32_t lPercent, int32_t lStatus, const std::string& sText);
    void objRelease_DownloadComplete(int32_t lErrNum);
    // The reaction to a downloaded descriptor.
    void File_Parse();

    // The log: sText and a line break on top (bAppend false), or sText behind the newest "...".
    void Status_Add(std::string_view sText, bool bAppend);
    // The string-table text lId, with its "%1" replaced by sArgument.
    static std::string Text(UINT lId, std::string_view sArgument = {});
    void ShowItem(int lId, bool bShow);
    void EnableItem(int lId, bool bEnable);

    // While the window exists its procedure lives in the library, which must stay loaded.
    class ServerLock {
      public:
        ServerLock();
        ~ServerLock();
        ServerLock(const ServerLock&) = delete;
        ServerLock& operator=(const ServerLock&) = delete;
    };

    ServerLock m_lock;
    ReleaseEvents m_releaseEvents{*this};
    AsyncDownloadPtr m_objRelease;
    std::string m_sDescriptorFile;
    std::string m_sLog;
    bool m_bReleaseEnded = false;  // the descriptor's transfer raised its completion
    bool m_bClosed = false;
};

}  // namespace quillon::iupdate
