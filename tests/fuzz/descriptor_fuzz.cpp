// Whatever the update server sends goes through the signature split, the reader, the install
// decisions and the wizard's list without a crash, an unbounded result, or an offered file whose
// destination lies outside the macro folders or has no hash to check it by.
//
// Input: the downloaded bytes. Whether an installed file exists, and how new it is, follows from
// a hash of its path, so every rule of the decision is reached.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

#include "iupdate/descriptor_signature.h"
#include "iupdate/install_decision.h"
#include "iupdate/wizard_rules.h"

namespace {

using namespace quillon;

void Check(bool bCondition) {
    if (!bCondition) std::abort();
}

struct CountingReporter final : IErrorReporter {
    void ReportError(std::string_view, int32_t, std::string_view, bool) override { ++lReports; }
    size_t lReports = 0;
};

struct HashedFiles final : IInstalledFiles {
    static size_t Hash(const std::string& s) { return std::hash<std::string>{}(s); }
    bool FileExists(const std::string& sPath) override {
        if (Hash(sPath) % 7 == 0) throw QuillonError(ErrPathFileAccess, "Path/File access error");
        return Hash(sPath) & 1;
    }
    VersionRec FileVersion(const std::string& sPath) override {
        const auto h = static_cast<int32_t>(Hash(sPath) >> 8);
        return {h & 3, (h >> 2) & 3, (h >> 4) & 3};
    }
    CalendarDate FileDate(const std::string& sPath) override {
        const auto h = static_cast<int32_t>(Hash(sPath) >> 16);
        return {2020 + (h & 7), 1 + (h >> 3) % 12, 1 + (h >> 7) % 28};
    }
};

const InstallContext kContext{{"C:\\Game", "C:\\Windows\\System32", "C:\\Windows\\Fonts", ""},
                              "Quillon.exe"};

std::string Lower(std::string s) {
    for (char& c : s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    for (char& c : s) c = c == '/' ? '\\' : c;
    return s;
}

// A judgement made apart from the containment code: a destination without ".." must begin with
// one of the folders; every offered one stays on the folders' drive and names no stream.
void CheckDestination(const std::string& sTarget) {
    const std::string s = Lower(sTarget);
    Check(s.starts_with("c:\\") && s.find(':', 2) == std::string::npos);
    if (s.find("..") != std::string::npos) return;
    Check(s.starts_with("c:\\game\\") || s.starts_with("c:\\windows\\system32\\") ||
          s.starts_with("c:\\windows\\fonts\\"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize) {
    const std::string_view sBytes(reinterpret_cast<const char*>(pData), lSize);
    const SignedDescriptor split = SplitSignedDescriptor(sBytes);
    if (split.eProblem == SignatureProblem::None)
        Check(split.sSigned.size() < sBytes.size() && sBytes.starts_with(split.sSigned));

    CountingReporter reporter;
    UpdateInfo info;
    try {
        info = File_Read(sBytes, reporter);
    } catch (const QuillonError&) {
        return 0;
    }
    Check(info.Files.size() <= kMaxFileBlocks);
    Check(info.BaseUrl.empty() || info.BaseUrl.back() == '/');

    HashedFiles files;
    const ParseDecision decision = File_ParseDecision(info, {1, 2, 3}, kContext, files, reporter);
    int32_t lAvailable = 0;
    for (const FileEntry& entry : info.Files) {
        if (!entry.Available) continue;
        ++lAvailable;
        Check(decision.eOutcome == ParseOutcome::FilesListed);
        Check(entry.eSha256 == Sha256State::Valid);
        CheckDestination(InstallTarget(entry, kContext));
        CheckDestination(GetPathEx(entry.Local.Path, kContext.folders) + entry.Local.FileName);
    }
    Check(lAvailable == decision.lAvailable);

    std::string sLog(kStatusInvitation);
    for (const std::string& sLine : decision.refusals) sLog = Status_Add(sLog, sLine, false);
    std::vector<size_t> checked;
    for (const ListRow& row : Create_List(info.Files)) {
        sLog = Status_Add(sLog, row.sCaption + ":" + row.sDescription, row.sKey.size() & 1);
        if (row.lType != kRowFile) continue;
        const std::optional<size_t> lIndex = FileRowIndex(row.sKey);
        Check(lIndex && *lIndex >= 1 && *lIndex <= info.Files.size());
        Check(info.Files[*lIndex - 1].Available);
        checked.push_back(*lIndex);
        sLog = Status_Add(sLog, FileUrl(info.BaseUrl, info.Files[*lIndex - 1].Remote), false);
    }
    Check(sLog.size() <= kMaxStatusLog);
    Check(CheckFileSize(info.Files, checked).starts_with("Total download size : "));
    return 0;
}
