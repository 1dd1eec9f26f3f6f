#pragma once
// The update wizard: step 1 fetches the update descriptor and decides what can be done; step 2
// downloads the files the user keeps checked, one after the other, and installs them. A log,
// newest line first, tells each stage. It is loaded hidden first and then shown modally over
// the caller's window, with its own message loop.

#include <windows.h>

#include "iupdate/win/module.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "iupdate/update_descriptor.h"
#include "iupdate/win/clsAsyncDownload.h"
#include "iupdate/wizard_rules.h"
#include "shell/win/scoped.h"
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
    // A file row's check box changed; wParam is the row.
    static constexpr UINT kMsgListClick = WM_APP + 1;
    static constexpr UINT_PTR kTimerLaunch = 1;

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

    class FileEvents final : public IAsyncDownloadEvents {
      public:
        explicit FileEvents(frmInternetUpdate& form) : m_form(form) {}
        void DownloadComplete(int32_t lErrNum) override {
            m_form.objDownload_DownloadComplete(lErrNum);
        }

      private:
        frmInternetUpdate& m_form;
    };

    struct ImageListTraits {
        using Handle = HIMAGELIST;
        static Handle Invalid() { return nullptr; }
        static void Close(Handle h) { ImageList_Destroy(h); }
    };

    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int lId);
    bool OnNotify(NMHDR& header);

    void Form_Load();
    void List_Setup();
    void Form_Unload();
    // Ends the modal loop once the running handler has returned.
    void EndModal();
    // The title-bar close box and Exit: a running transfer is aborted as well.
    void Close();

    void cmdStartStep1_Click();
    void cmdCancelStep1_Click();
    void cmdStartStep2_Click();
    void cmdCancelStep2_Click();
    void cmdOK_Click();
    void objRelease_StartingDownload();
    void objRelease_Progress(int32_t lPercent, int32_t lStatus, const std::string& sText);
    void objRelease_DownloadComplete(int32_t lErrNum);
    void objDownload_DownloadComplete(int32_t lErrNum);
    void tmrlaunch_Timer();
    void SetLaunchTimer(bool bEnabled);

    // The reaction to a downloaded descriptor (frmInternetUpdate_list.cpp).
    void File_Parse();
    // The descriptor read into m_info when its signature holds; false after a log line or a
    // report.
    bool File_Read();
    // The list's rows, from the Available entries, every file row checked.
    void Create_List();
    // A file row's check box changed by the user.
    void lst_Click(int lRow);
    // LVN_ITEMCHANGING: a header row never takes a check box.
    bool lst_ItemChanging(const NMLISTVIEW& change) const;
    void lst_ItemChanged(const NMLISTVIEW& change);
    void lst_CustomDraw(NMLVCUSTOMDRAW& draw) const;
    void CheckFileSize();
    bool LV_HasChecked() const;
    void Download_CheckAll();
    // The entry behind a file row, by its key; null for a header row.
    FileEntry* RowEntry(int lRow);
    // The entries (indexes from 1) whose rows are checked.
    std::vector<size_t> CheckedEntries() const;

    // Step 2's chain (frmInternetUpdate_install.cpp).
    void Download_Next();
    // The size and SHA-256 that the descriptor gives, checked on the downloaded file.
    bool File_Verify(const FileEntry& entry) const;
    void Download_InstallAll();
    bool File_Install(FileEntry& entry);

    // The log: sText and a line break on top (bAppend false), or sText behind the newest "...".
    void Status_Add(std::string_view sText, bool bAppend);
    // The string-table text lId, with its "%1" replaced by sArgument.
    static std::string Text(UINT lId, std::string_view sArgument = {});
    void ShowItem(int lId, bool bShow);
    void EnableItem(int lId, bool bEnable);

    ServerLock m_lock;  // the window's procedure lives in the library
    ReleaseEvents m_releaseEvents{*this};
    FileEvents m_fileEvents{*this};
    AsyncDownloadPtr m_objRelease;
    AsyncDownloadPtr m_objDownload;
    std::string m_sDescriptorFile;
    std::string m_sLog;
    UpdateInfo m_info;
    std::vector<ListRow> m_rows;  // by the list row's item data
    size_t m_lCurrent = 0;        // the entry being downloaded, counted from 0
    win::Scoped<ImageListTraits> m_icons;
    win::ScopedGdiObject m_headerFont;
    bool m_bFilling = false;       // the window itself is changing check states
    bool m_bReleaseEnded = false;  // the descriptor's transfer raised its completion
    bool m_bFileEnded = false;     // the current file's transfer raised its completion
    bool m_bTimerOn = false;
    bool m_bClosed = false;
};

}  // namespace quillon::iupdate
