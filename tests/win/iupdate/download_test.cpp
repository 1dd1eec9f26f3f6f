// clsAsyncDownload against the maker's real server on loopback: a file fetched whole with its
// progress and status, a form posted, failures that leave no file, and the transfer ended
// from inside its own progress handler.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include "iupdate/win/clsAsyncDownload.h"
#include "library_under_test.h"
#include "relay_server.h"
#include "support/temp_folder.h"

namespace quillon::test {
namespace {

using iupdate::AsyncDownloadPtr;
using iupdate::clsAsyncDownload;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const fs::path& file, const std::string& sBytes) {
    std::ofstream(file, std::ios::binary) << sBytes;
}

// What a transfer told its owner, in order.
struct Recorder final : iupdate::IAsyncDownloadEvents {
    void StartingDownload() override { sEvents += "start "; }
    void Progress(int32_t lPercent, int32_t lStatus, const std::string&) override {
        if (sEvents.empty() || !sEvents.ends_with("progress ")) sEvents += "progress ";
        progress.emplace_back(lPercent, lStatus);
        if (onProgress) onProgress();
    }
    void HTTPResponse(int32_t lResponse, const std::string& sHeaders) override {
        sEvents += "response ";
        lStatus = lResponse;
        sResponseHeaders = sHeaders;
    }
    void DownloadComplete(int32_t lErr) override {
        sEvents += "complete";
        lErrNum = lErr;
        bDownloadingInside = pDownload && pDownload->Downloading();
    }

    std::string sEvents;
    std::vector<std::pair<int32_t, int32_t>> progress;  // percent, status
    int32_t lStatus = 0;
    std::string sResponseHeaders;
    std::optional<int32_t> lErrNum;
    bool bDownloadingInside = false;
    clsAsyncDownload* pDownload = nullptr;
    std::function<void()> onProgress;
};

class Download : public LinkedLibrary {
  protected:
    void SetUp() override {
        LinkedLibrary::SetUp();
        m_recorder.pDownload = m_download.get();
    }
    void TearDown() override {
        EXPECT_TRUE(m_reports.empty()) << m_reports.front().sMessage;
        LinkedLibrary::TearDown();
    }
    std::string Dest() const { return win::Narrow(m_dest.wstring()); }
    // Nothing but the destination may be left in its folder (no part files).
    std::vector<fs::path> DownloadsLeft() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(m_dest.parent_path())) {
            files.push_back(entry.path().filename());
        }
        return files;
    }

    TempFolder m_temp;
    RelayServer m_server{m_temp.path / "server"};
    fs::path m_dest = (fs::create_directories(m_temp.path / "in"), m_temp.path / "in" / "got.bin");
    Recorder m_recorder;
    AsyncDownloadPtr m_download = clsAsyncDownload::Create(&m_recorder);
};

TEST_F(Download, FileUnderUpdatesArrivesWholeOverTheOldOneWithProgressAndStatus) {
    std::string sBytes(300000, '\0');
    for (size_t i = 0; i < sBytes.size(); ++i) sBytes[i] = static_cast<char>(i * 7 % 251);
    WriteAll(m_server.UpdatesFolder() / "pack.bin", sBytes);
    WriteAll(m_dest, "older content");

    m_download->Download(m_server.Url("/updates/pack.bin"), iupdate::kDownloadToFile, Dest());

    EXPECT_EQ(m_recorder.sEvents, "start progress response progress complete");
    EXPECT_EQ(m_recorder.lErrNum, iupdate::kDownloadCompleted);
    EXPECT_EQ(m_recorder.lStatus, 200);
    EXPECT_NE(m_recorder.sResponseHeaders.find("Content-Length: 300000"), std::string::npos)
        << m_recorder.sResponseHeaders;
    EXPECT_TRUE(m_recorder.bDownloadingInside) << "the binding is released after the event";
    EXPECT_FALSE(m_download->Downloading());
    for (const auto& [lPercent, lStatus] : m_recorder.progress) {
        EXPECT_TRUE(lPercent >= 0 && lPercent <= 100) << lPercent << " at status " << lStatus;
    }
    ASSERT_FALSE(m_recorder.progress.empty());
    EXPECT_EQ(m_recorder.progress.back(), std::make_pair(100, int32_t{BINDSTATUS_ENDDOWNLOADDATA}));
    EXPECT_TRUE(ReadAll(m_dest) == sBytes) << "the file differs from the served bytes";
    EXPECT_EQ(DownloadsLeft(), std::vector<fs::path>{"got.bin"});
}

TEST_F(Download, FormIsPostedWithItsContentTypeAndTheBodyIntact) {
    const std::string sBody = "?name=Ann+%26+Bob&email=ann%40example.org&feedback=a%3Db%0D%0Ac";
    m_download->SetFlags(BINDF_GETNEWESTVERSION);  // what the feedback form sends: blocking
    m_download->Download(m_server.Url("/updates/submit.asp"), iupdate::kDownloadToFile, Dest(),
                         "post", "", sBody);
    EXPECT_EQ(m_recorder.lErrNum, iupdate::kDownloadCompleted);
    EXPECT_EQ(m_recorder.lStatus, 200);
    EXPECT_EQ(ReadAll(m_dest), "OK");

    // A content type the caller names, in any case, is the only one sent.
    const std::string sOwnType = "content-type: application/x-www-form-urlencoded; charset=utf-8";
    m_download->Download(m_server.Url("/updates/submit.asp"), iupdate::kDownloadToFile, Dest(),
                         "POST", sOwnType, "?name=Cy");
    EXPECT_EQ(m_server.Query("select name, email, feedback, cast(raw as text), content_type "
                             "from feedback order by id"),
              "Ann & Bob\nann@example.org\na=b\r\nc\n" + sBody +
                  "\napplication/x-www-form-urlencoded\n"
                  "Cy\nNone\nNone\n?name=Cy\n" +
                  sOwnType.substr(sizeof "content-type: " - 1) + "\n");

    // The verb travels as given: the server knows no PUT.
    m_download->Download(m_server.Url("/updates/submit.asp"), iupdate::kDownloadToFile, Dest(),
                         "put", "", sBody);
    EXPECT_EQ(m_recorder.lStatus, 501);
}

// The same object runs one transfer after the other; none of them may touch the file.
TEST_F(Download, FailuresReportTheirCodeAndLeaveTheFileAlone) {
    const RelayServer failing(m_temp.path / "failing", "--status 500");
    const struct {
        std::string sUrl;
        int32_t lStatus;  // 0: no response
        uint32_t lErrNum;
    } cases[] = {
        {m_server.Url("/updates/missing.bin"), 404, 0x800C0007u},
        {"http://127.0.0.1:1/updates/x.bin", 0, 0x800C0005u},  // nobody listens there
        {failing.Url("/updates/submit.asp"), 500, 0x800C0008u},
    };
    for (const auto& c : cases) {
        WriteAll(m_dest, "kept");
        m_recorder = {};
        m_download->Download(c.sUrl, iupdate::kDownloadToFile, Dest(), "POST", "", "?name=x");
        EXPECT_EQ(m_recorder.lStatus, c.lStatus) << c.sUrl;
        EXPECT_EQ(static_cast<uint32_t>(m_recorder.lErrNum.value_or(1)), c.lErrNum)
            << std::hex << c.sUrl << " gave " << m_recorder.lErrNum.value_or(1);
        EXPECT_EQ(ReadAll(m_dest), "kept") << c.sUrl;
        EXPECT_EQ(DownloadsLeft(), std::vector<fs::path>{"got.bin"}) << c.sUrl;
    }
}

TEST_F(Download, ProgressHandlerMeetsTheRunningTransferAndEndsIt) {
    WriteAll(m_server.UpdatesFolder() / "pack.bin", std::string(100000, 'x'));
    std::optional<QuillonError> second;
    m_recorder.onProgress = [&] {
        if (second) return;
        try {
            m_download->Download(m_server.Url("/updates/pack.bin"), iupdate::kDownloadToFile,
                                 Dest());
        } catch (const QuillonError& e) {
            second = e;
        }
        m_download->AbortDownload();
    };
    m_download->Download(m_server.Url("/updates/pack.bin"), iupdate::kDownloadToFile, Dest());

    ASSERT_TRUE(second) << "the second Download did not fail";
    EXPECT_EQ(second->Number(), iupdate::kErrStillDownloading);
    EXPECT_STREQ(second->what(), "A download operation is still running. Cannot start a new one.");
    ASSERT_TRUE(m_recorder.lErrNum);
    EXPECT_LT(*m_recorder.lErrNum, 0) << "an aborted transfer is a failure";
    EXPECT_TRUE(DownloadsLeft().empty());

    // An owner that lets go during a transfer ends it; the object outlives the platform's use.
    m_recorder = {};
    m_recorder.onProgress = [&] { m_download.reset(); };
    clsAsyncDownload* pDownload = m_download.get();
    pDownload->Download(m_server.Url("/updates/pack.bin"), iupdate::kDownloadToFile, Dest());
    EXPECT_FALSE(m_download);
    EXPECT_FALSE(m_recorder.lErrNum) << "a detached owner hears nothing more";
    EXPECT_TRUE(DownloadsLeft().empty());
}

}  // namespace
}  // namespace quillon::test
