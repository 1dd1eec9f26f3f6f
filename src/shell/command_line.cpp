#include "shell/command_line.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/error_report.h"
#include "shell/program_values.h"
#include "shell/settings.h"

namespace quillon {

namespace {

constexpr std::string_view kAutorun = "/autorun";
constexpr int32_t kMaxLevel = 100;

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

// Split at single spaces: two spaces in a row give an empty token, as the walk expects.
std::vector<std::string_view> SplitTokens(std::string_view s) {
    std::vector<std::string_view> tokens;
    size_t start = 0;
    for (;;) {
        const size_t space = s.find(' ', start);
        tokens.push_back(s.substr(start, space == std::string_view::npos ? space : space - start));
        if (space == std::string_view::npos) break;
        start = space + 1;
    }
    return tokens;
}

// The level after "/autorun": |n|, at most 100; anything but an integer is a failure.
int32_t ParseLevel(const std::vector<std::string_view>& tokens, size_t i) {
    if (i >= tokens.size())
        throw QuillonError(ErrInvalidCall, "The level after /autorun is missing.");
    const std::string_view token = tokens[i];
    int64_t value = 0;
    const char* begin = token.data();
    const char* end = token.data() + token.size();
    if (begin != end && *begin == '+') ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (begin == end || ptr != end || (ec != std::errc() && ec != std::errc::result_out_of_range))
        throw QuillonError(ErrTypeMismatch, "The level after /autorun is not a number.");
    if (ec == std::errc::result_out_of_range) return kMaxLevel;
    const int64_t level = value < 0 ? -value : value;
    return static_cast<int32_t>(level > kMaxLevel ? kMaxLevel : level);
}

}  // namespace

void RunCommandLine(std::string_view sCommandLine, ICommandLineHost& host, Settings& settings,
                    ProgramValues& values, IErrorReporter& reporter) {
    Handled(reporter, "modMain", "RunCommandLine", false, [&] {
        bool bAutorun = false;
        const std::string_view line = Trim(sCommandLine);
        if (!line.empty()) {
            const auto tokens = SplitTokens(line);
            for (size_t i = 0; i < tokens.size(); ++i) {
                if (tokens[i] != kAutorun || !host.ConfirmAutorun()) continue;
                settings.SaveSetting(SettingAIMemory, ParseLevel(tokens, i + 1));
                host.ShowAutorunLook();
                values.g_bFlash = false;
                values.g_bWaitForClick = false;
                values.g_lRevealTime = 10;
                bAutorun = true;
            }
        }
        if (bAutorun)
            host.StartNonStopPlay();
        else
            host.CheckUpdateReminder();
    });
}

}  // namespace quillon
