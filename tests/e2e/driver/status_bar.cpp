#include "status_bar.h"

#include <commctrl.h>

#include "check.h"
#include "remote.h"

namespace quillon::e2e {

namespace {
constexpr size_t kMaxChars = 1024;
constexpr UINT kAnswerTimeoutMs = 250;
}  // namespace

StatusBar::StatusBar(HANDLE hProcess, HWND hBar)
    : m_hBar(hBar),
      m_buffer(std::make_unique<RemoteBuffer>(hProcess, kMaxChars * sizeof(wchar_t))) {}

StatusBar::~StatusBar() = default;

std::optional<std::wstring> StatusBar::TryPanel(int panel) const {
    const auto part = static_cast<WPARAM>(panel - 1);
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(m_hBar, SB_GETTEXTLENGTHW, part, 0, SMTO_NORMAL, kAnswerTimeoutMs,
                             &result))
        return std::nullopt;
    const size_t length = LOWORD(result);
    if (length + 1 > kMaxChars) Fail("status panel " + std::to_string(panel) + " is too long");
    if (!SendMessageTimeoutW(m_hBar, SB_GETTEXTW, part,
                             reinterpret_cast<LPARAM>(m_buffer->Address()), SMTO_NORMAL,
                             kAnswerTimeoutMs, &result))
        return std::nullopt;
    const std::vector<uint8_t> raw = m_buffer->Read(length * sizeof(wchar_t));
    return std::wstring(reinterpret_cast<const wchar_t*>(raw.data()), length);
}

}  // namespace quillon::e2e
