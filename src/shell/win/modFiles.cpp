#include "shell/win/modFiles.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "shell/paths.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

constexpr std::string_view kDataFolder = "Data\\";
constexpr std::string_view kCardsFolder = "Data\\Cards\\";
constexpr std::string_view kBacksFolder = "Data\\Backs\\";
constexpr std::string_view kHelpFile = "quillon.chm";
constexpr std::string_view kProfileFile = "profiles.dat";

// Install folders can be deep: answers are read into buffers that grow until they fit
// rather than into a fixed short buffer that would cut them.
template <typename Query>
std::wstring AskSystem(Query query) {
    constexpr size_t kLongestPath = 32768;  // the system's own limit for wide paths
    std::vector<wchar_t> buf(MAX_PATH + 1);
    for (;;) {
        const DWORD n = query(buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return {};
        if (n < buf.size()) return std::wstring(buf.data(), n);
        // Too small: most functions answer the size they need, GetModuleFileNameW answers
        // the buffer's size after cutting the text.
        if (buf.size() > kLongestPath) return {};
        buf.resize(std::max<size_t>(static_cast<size_t>(n) + 1, buf.size() * 2));
    }
}

std::string SystemFolder() {
    const std::wstring w = AskSystem([](wchar_t* p, DWORD n) { return GetSystemDirectoryW(p, n); });
    return w.empty() ? std::string() : AddBackslash(Narrow(w));
}

std::string TempFolder() {
    std::wstring w = AskSystem([](wchar_t* p, DWORD n) { return GetTempPathW(n, p); });
    if (w.empty()) return {};
    // The answer ends with a backslash: drop it and put one back, so the folder carries
    // exactly one whatever the system gave.
    w.pop_back();
    return AddBackslash(Narrow(w));
}

std::string NewTempFile() {
    const std::string sFolder = TempFolder();
    if (sFolder.empty()) return {};
    wchar_t name[MAX_PATH + 1] = {};  // the size GetTempFileNameW requires
    if (GetTempFileNameW(Widen(sFolder).c_str(), L"tmp", 0, name) == 0) return {};
    return Narrow(name);
}

std::string EnsureFolder(const std::string& sPath) {
    if (!IsDirectory(sPath)) MakeDir(sPath);
    return sPath;
}

}  // namespace

std::string ModuleFolder() {
    const std::wstring w =
        AskSystem([](wchar_t* p, DWORD n) { return GetModuleFileNameW(nullptr, p, n); });
    const size_t slash = w.find_last_of(L"\\/");
    return AddBackslash(Narrow(slash == std::wstring::npos ? w : w.substr(0, slash)));
}

AppPaths::AppPaths() : m_sAppFolder(ModuleFolder()) {}

AppPaths::AppPaths(std::string_view sAppFolder) : m_sAppFolder(AddBackslash(sAppFolder)) {}

std::string AppPaths::GetPath(PathKind kind) const {
    switch (kind) {
        case PathApp:
            return m_sAppFolder;
        case PathSystem:
            return SystemFolder();
        case PathData:
            return EnsureFolder(m_sAppFolder + std::string(kDataFolder));
        case PathCards:
        case PathBacks:
            // MakeDir creates one level: the data folder has to exist first.
            EnsureFolder(m_sAppFolder + std::string(kDataFolder));
            return EnsureFolder(m_sAppFolder +
                                std::string(kind == PathCards ? kCardsFolder : kBacksFolder));
        case PathTemp:
            return TempFolder();
        case PathHelp:
            return m_sAppFolder + std::string(kHelpFile);
        case PathTempFile:
            return NewTempFile();
        case PathProfiles:
            return m_sAppFolder + std::string(kDataFolder) + std::string(kProfileFile);
        default:
            return {};
    }
}

std::string GetPath(PathKind kind) { return AppPaths().GetPath(kind); }

bool IsDirectory(std::string_view sPath) {
    if (sPath.empty()) return false;
    const DWORD attr = GetFileAttributesW(Widen(sPath).c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(std::string_view sPath) {
    if (sPath.empty()) return false;
    const DWORD attr = GetFileAttributesW(Widen(sPath).c_str());
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void MakeDir(std::string_view sPath) {
    if (sPath.empty() || IsDirectory(sPath)) return;
    CreateDirectoryW(Widen(sPath).c_str(), nullptr);
}

bool KillFile(std::string_view sPath) {
    return !sPath.empty() && DeleteFileW(Widen(sPath).c_str()) != FALSE;
}

}  // namespace quillon::win
