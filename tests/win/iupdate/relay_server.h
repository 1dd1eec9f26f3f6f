#pragma once
// The maker's server (tools/server) run for a test on a free port, serving a folder of updates
// and storing feedback in a database of the test's own, stopped with the test.
//
// Wine starts a Unix program but hands back no process handle, so the server runs through the
// shell, which tells its process number first (the server takes it over with exec) and runs it
// under `timeout`, so that a crashed test cannot leave it behind for long. Unix commands end by
// renaming their output into place, which the test waits for.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "shell/win/text.h"

namespace quillon::test {

namespace fs = std::filesystem;

// The Unix path of a Windows path (Wine's own export).
inline std::string UnixPath(const fs::path& path) {
    using Convert = char*(CDECL*)(LPCWSTR);
    const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!convert) return {};
    char* sz = convert(path.c_str());
    const std::string sUnix = sz ? sz : "";
    HeapFree(GetProcessHeap(), 0, sz);
    return sUnix;
}

// Starts `/bin/sh -c sCommand` without waiting; the command holds no double quotes.
inline bool StartShell(const std::string& sCommand) {
    std::wstring sLine = L"/bin/sh -c \"" + win::Widen(sCommand) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\sh", sLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    return true;
}

// The text of a file once it has at least lLines lines; empty after lSeconds.
inline std::string WaitForLines(const fs::path& file, int lLines, int lSeconds = 30) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(lSeconds);
    while (std::chrono::steady_clock::now() < end) {
        std::ifstream in(file, std::ios::binary);
        if (in) {
            std::stringstream text;
            text << in.rdbuf();
            const std::string s = text.str();
            if (std::count(s.begin(), s.end(), '\n') >= lLines) return s;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

// The text of a file once it exists (a command's output renamed into place when complete).
inline std::string WaitForFile(const fs::path& file) { return WaitForLines(file, 0); }

class RelayServer {
  public:
    // sOptions are further command-line options of the server ("--status 500").
    explicit RelayServer(const fs::path& folder, const std::string& sOptions = {})
        : m_folder(folder) {
        fs::create_directories(UpdatesFolder());
        const fs::path out = folder / "server.out";
        const std::string sScript =
            std::string(QUILLON_SOURCE_DIR) + "/tools/server/quillon_server.py";
        const bool bStarted =
            StartShell("exec >'" + UnixPath(out) + "' 2>'" + UnixPath(folder / "server.err") +
                       "'; echo $$; exec /usr/bin/timeout 300 /usr/bin/python3 -u '" + sScript +
                       "' --port 0 --db '" + UnixPath(Database()) + "' --updates '" +
                       UnixPath(UpdatesFolder()) + "' " + sOptions);
        EXPECT_TRUE(bStarted) << "the shell could not be started";
        std::istringstream lines(WaitForLines(out, 2));
        std::string sListening;
        lines >> m_sPid >> sListening >> sListening >> m_sRoot;
        EXPECT_TRUE(m_sRoot.starts_with("http://127.0.0.1:")) << "server did not start";
    }
    ~RelayServer() {
        if (!m_sPid.empty()) StartShell("kill " + m_sPid);
    }
    RelayServer(const RelayServer&) = delete;
    RelayServer& operator=(const RelayServer&) = delete;

    // "http://127.0.0.1:PORT" followed by sPath.
    std::string Url(const std::string& sPath) const { return m_sRoot + sPath; }
    fs::path UpdatesFolder() const { return m_folder / "updates"; }
    fs::path Database() const { return m_folder / "feedback.db"; }

    // The values of the rows that an SQL query over the feedback database selects, each
    // followed by a line break (the query must not hold quotes).
    std::string Query(const std::string& sSql) const {
        const fs::path out = m_folder / ("query" + std::to_string(++m_lQueries) + ".out");
        const std::string sUnixOut = UnixPath(out);
        StartShell(
            "/usr/bin/python3 -c 'import sqlite3, sys; db = sqlite3.connect(sys.argv[1]); "
            "sys.stdout.buffer.write(str().join(str(v) + chr(10) for r in db.execute(sys.argv[2]) "
            "for v in r).encode())' '" +
            UnixPath(Database()) + "' '" + sSql + "' >'" + sUnixOut + ".part' 2>&1; mv '" +
            sUnixOut + ".part' '" + sUnixOut + "'");
        return WaitForFile(out);
    }

  private:
    fs::path m_folder;
    std::string m_sPid;
    std::string m_sRoot;
    mutable int m_lQueries = 0;
};

}  // namespace quillon::test
