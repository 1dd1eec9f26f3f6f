#include "check.h"

#include <cstdio>
#include <thread>

#include "shell/win/text.h"

namespace quillon::e2e {

void Fail(std::string_view message) { throw Failure(std::string(message)); }

void Check(bool condition, std::string_view message) {
    if (!condition) Fail(message);
}

void WaitUntil(std::string_view what, const std::function<bool()>& ready,
               const std::function<std::string()>& seen, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (ready()) return;
        if (Clock::now() > deadline) {
            std::string message = "timed out after " + std::to_string(timeout.count() / 1000) +
                                  " s waiting for " + std::string(what);
            if (seen) message += " (last seen: " + seen() + ")";
            Fail(message);
        }
        Pause(kPollInterval);
    }
}

void Log(std::string_view message) {
    std::fprintf(stdout, "    %.*s\n", static_cast<int>(message.size()), message.data());
    std::fflush(stdout);
}

void Pause(milliseconds duration) { std::this_thread::sleep_for(duration); }

std::string Narrow(std::wstring_view text) { return win::Narrow(text); }
std::wstring Widen(std::string_view text) { return win::Widen(text); }

std::string Quote(std::wstring_view text) {
    std::string out = "\"";
    for (const char c : Narrow(text)) {
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

}  // namespace quillon::e2e
