#include "descriptor_writer.h"

#include "signing.h"

namespace quillon::publish {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

class Writer {
  public:
    void Open(std::string_view sTag) {
        Line("<" + std::string(sTag) + ">");
        ++m_lDepth;
    }
    void Close(std::string_view sTag) {
        --m_lDepth;
        Line("</" + std::string(sTag) + ">");
    }
    void Value(std::string_view sTag, std::string_view sValue) {
        const std::string sName(sTag);
        Line("<" + sName + ">" + std::string(sValue) + "</" + sName + ">");
    }
    void Value(std::string_view sTag, int32_t lValue) { Value(sTag, std::to_string(lValue)); }
    void Flag(std::string_view sTag, bool bValue) { Value(sTag, bValue ? "1" : "0"); }
    void Date(const DateRec& date) {
        Open("DATE");
        Value("DAY", date.lDay);
        Value("MONTH", date.lMonth);
        Value("YEAR", date.lYear);
        Close("DATE");
    }
    void Version(const VersionRec& version) {
        Open("VERSION");
        Value("MAJOR", version.lMajor);
        Value("MINOR", version.lMinor);
        Value("RELEASE", version.lRelease);
        Close("VERSION");
    }
    std::string Text() const { return m_sText; }

  private:
    void Line(const std::string& sLine) {
        m_sText.append(m_lDepth, '\t');
        m_sText += sLine;
        m_sText += kLineEnd;
    }
    std::string m_sText;
    size_t m_lDepth = 0;
};

void WriteFile(Writer& w, const PublishedFile& file) {
    const ManifestFile& entry = file.entry;
    w.Open("FILE");
    w.Value("NAME", entry.sName);
    w.Flag("DOWNLOAD", entry.bDownload);
    w.Value("ICON", entry.sIcon);
    w.Flag("HIDDEN", entry.bHidden);
    w.Flag("DIFFERED", entry.bDiffered);
    w.Flag("REGISTER", entry.bRegister);
    w.Flag("RESTART", entry.bRestart);
    w.Value("CATEGORY", entry.sCategory);
    w.Version(file.version);
    w.Open("LOCAL");
    w.Value("PATH", entry.sLocalPath);
    w.Value("FILENAME", entry.sLocalFileName);
    w.Value("SIZE", file.lLocalSize);
    w.Close("LOCAL");
    w.Open("REMOTE");
    w.Value("PATH", file.sRemotePath);
    w.Value("FILENAME", file.sRemoteFileName);
    w.Value("SIZE", file.lRemoteSize);
    w.Value("SHA256", file.sSha256);
    w.Date(file.date);
    w.Close("REMOTE");
    w.Close("FILE");
}

}  // namespace

std::string DescriptorText(const DescriptorContent& content) {
    Writer w;
    w.Open("UPDATE");
    w.Value("URL", content.sUrl);
    w.Value("BASEURL", content.sBaseUrl);
    w.Date(content.published);
    w.Version(content.productVersion);
    w.Open("FILES");
    for (const PublishedFile& file : content.files) WriteFile(w, file);
    w.Close("FILES");
    w.Close("UPDATE");
    return w.Text();
}

std::string SignatureLine(const std::array<uint8_t, 64>& signature) {
    return "<SIGNATURE>" + Base64(signature) + "</SIGNATURE>" + std::string(kLineEnd);
}

}  // namespace quillon::publish
