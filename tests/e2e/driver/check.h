#pragma once
// Failures and polling. A scenario fails by throwing; every wait is a poll with a timeout, so a
// slow machine only makes a run slower, never wrong.

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillon::e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

inline constexpr milliseconds kTimeout{30000};
inline constexpr milliseconds kPollInterval{20};

class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(std::string_view message);
void Check(bool condition, std::string_view message);

// Polls `ready` until it returns true; fails after `timeout` naming `what` and, when given,
// what `seen` describes of the last state.
void WaitUntil(std::string_view what, const std::function<bool()>& ready,
               const std::function<std::string()>& seen = {}, milliseconds timeout = kTimeout);

void Log(std::string_view message);
void Pause(milliseconds duration);

std::string Narrow(std::wstring_view text);
std::wstring Widen(std::string_view text);
// Text for messages: quoted, with tabs and line breaks made visible.
std::string Quote(std::wstring_view text);

}  // namespace quillon::e2e
