#include "driver.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "resources/resource.h"
#include "shell/win/registry_store_win.h"
#include "shell/win/text.h"

namespace quillon::e2e {

namespace {

namespace fs = std::filesystem;
using namespace text;

constexpr UINT kAnswerTimeoutMs = 250;
constexpr DWORD kRemoteCallTimeoutMs = 30000;
constexpr uint32_t kProbeChars = 16384;
constexpr COLORREF kBoardGreen = RGB(0, 128, 0);

win::WinRegistryStore g_store;
Settings g_settings{g_store};

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256]{};
    GetClassNameW(hwnd, name, 256);
    return name;
}

std::wstring StaticTexts(HWND dialog) {
    std::wstring text;
    EnumChildWindows(
        dialog,
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto& text = *reinterpret_cast<std::wstring*>(lParam);
            if (ClassName(hwnd) == L"Static" && !WindowText(hwnd).empty())
                text += (text.empty() ? L"" : L"\n") + WindowText(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

int Stride(int width) { return (3 * width + 3) & ~3; }

BITMAPINFOHEADER Header24(int width, int height) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // below zero: top row first
    info.biPlanes = 1;
    info.biBitCount = 24;
    return info;
}

// The module of this name in the program's process, or null.
const uint8_t* ModuleBase(DWORD processId, const std::wstring& name) {
    win::ScopedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
    if (!snapshot) Fail("cannot list the modules of the program's process");
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot.Get(), &entry); more;
         more = Module32NextW(snapshot.Get(), &entry))
        if (_wcsicmp(entry.szModule, name.c_str()) == 0) return entry.modBaseAddr;
    return nullptr;
}

DWORD RunRemoteThread(HANDLE process, const void* start, void* parameter) {
    win::ScopedHandle thread(CreateRemoteThread(
        process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(const_cast<void*>(start)),
        parameter, 0, nullptr));
    if (!thread) Fail("CreateRemoteThread failed in the program's process");
    if (WaitForSingleObject(thread.Get(), kRemoteCallTimeoutMs) != WAIT_OBJECT_0)
        Fail("a call inside the program's process did not return within 30 s");
    DWORD code = 0;
    GetExitCodeThread(thread.Get(), &code);
    return code;
}

bool Near(COLORREF a, COLORREF b) {
    const auto close = [](int u, int v) { return u - v <= 3 && v - u <= 3; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
           close(GetBValue(a), GetBValue(b));
}

const char* LookName(Look look) {
    constexpr const char* kNames[] = {"back", "marked back", "face", "empty board", "unclear"};
    return kNames[static_cast<int>(look)];
}

const SettingRow& Row(SettingId id) {
    const SettingRow* row = FindSetting(id);
    if (!row) Fail("setting " + std::to_string(id) + " is not in the program's table");
    return *row;
}

void CheckValue(const RegValue& stored, std::string_view name, const RegValue& expected) {
    const auto text = [](const RegValue& value) {
        if (const auto* n = std::get_if<int32_t>(&value)) return std::to_string(*n);
        if (const auto* s = std::get_if<std::string>(&value)) return "\"" + *s + "\"";
        return std::string("nothing");
    };
    Check(stored == expected, "the registry holds " + text(stored) + " in \"" + std::string(name) +
                                  "\" instead of " + text(expected));
}

std::vector<ProfileRecord> Decode(const std::wstring& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    Check(bytes.size() == kProfileFileSize,
          Narrow(path) + " holds " + std::to_string(bytes.size()) + " bytes");
    std::vector<ProfileRecord> records;
    for (int32_t r = 1; r <= kRecordCount; ++r) {
        RecordBytes one{};
        std::copy_n(bytes.begin() + RecordOffset(r), kRecordSize, one.begin());
        records.push_back(DecodeRecord(one));
    }
    return records;
}

std::string Describe(const ProfileRecord& r) {
    std::string out = "won " + std::to_string(r.Games_Won) + ", lost " +
                      std::to_string(r.Games_Lost) + ", null " + std::to_string(r.Games_Null) +
                      ", pairs";
    for (const int32_t n : r.Pairs) out += " " + std::to_string(n);
    return out;
}

int32_t Found(const ProfileRecord& r) {
    return r.Pairs[PairBothSeen] + r.Pairs[PairSecondSeen] + r.Pairs[PairFirstSeen] +
           r.Pairs[PairWildGuess];
}

}  // namespace

std::string Narrow(std::wstring_view text) { return win::Narrow(text); }

std::string Quote(std::wstring_view text) { return "\"" + Narrow(text) + "\""; }

std::wstring WindowText(HWND hwnd) {
    wchar_t text[1024]{};
    DWORD_PTR copied = 0;
    // Carried across processes; the timeout keeps a busy program from blocking the driver.
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                             kAnswerTimeoutMs, &copied))
        return {};
    return std::wstring(text, copied);
}

RECT ClientRectOnScreen(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<uint8_t> ReadBytes(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    Check(in.is_open(), "cannot open " + Narrow(path));
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    Check(out.good(), "cannot write " + Narrow(path));
}

// Pictures

Image Image::CaptureScreen(const RECT& rect) {
    Image image(rect.right - rect.left, rect.bottom - rect.top);
    BITMAPINFO info{};
    info.bmiHeader = Header24(image.m_width, -image.m_height);
    win::ScopedGetDC screen(nullptr);
    win::ScopedMemoryDC memory(CreateCompatibleDC(screen.Get()));
    void* bits = nullptr;
    win::ScopedGdiObject bitmap(
        CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) Fail("cannot create a bitmap for a screen capture");
    win::ScopedSelect select(memory.Get(), bitmap.Get());
    if (!BitBlt(memory.Get(), 0, 0, image.m_width, image.m_height, screen.Get(), rect.left,
                rect.top, SRCCOPY))
        Fail("BitBlt from the screen failed");
    GdiFlush();
    for (int y = 0; y < image.m_height; ++y)
        std::copy_n(
            static_cast<const uint8_t*>(bits) + static_cast<size_t>(y) * Stride(image.m_width),
            3 * image.m_width, image.m_bgr.begin() + 3 * static_cast<ptrdiff_t>(y) * image.m_width);
    return image;
}

Image Image::LoadBmp(const std::wstring& path) {
    win::ScopedGdiObject bitmap(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    DIBSECTION dib{};
    if (!bitmap || !GetObjectW(bitmap.Get(), sizeof dib, &dib) || dib.dsBm.bmBitsPixel != 24)
        Fail("cannot load " + Narrow(path) + " as a 24-bit picture");
    Image image(dib.dsBm.bmWidth, dib.dsBm.bmHeight);
    for (int y = 0; y < image.m_height; ++y)
        std::copy_n(static_cast<const uint8_t*>(dib.dsBm.bmBits) +
                        static_cast<size_t>(image.m_height - 1 - y) * Stride(image.m_width),
                    3 * image.m_width,
                    image.m_bgr.begin() + 3 * static_cast<ptrdiff_t>(y) * image.m_width);
    return image;
}

void Image::WriteBmp(const std::wstring& path) const {
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const DWORD size = offset + static_cast<DWORD>(Stride(m_width) * m_height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = size;
    file.bfOffBits = offset;
    const BITMAPINFOHEADER info = Header24(m_width, m_height);
    std::vector<uint8_t> bytes(size);
    std::copy_n(reinterpret_cast<const uint8_t*>(&file), sizeof file, bytes.begin());
    std::copy_n(reinterpret_cast<const uint8_t*>(&info), sizeof info, bytes.begin() + sizeof file);
    for (int y = 0; y < m_height; ++y)
        std::copy_n(m_bgr.begin() + 3 * static_cast<ptrdiff_t>(m_height - 1 - y) * m_width,
                    3 * m_width,
                    bytes.begin() + offset + static_cast<ptrdiff_t>(y) * Stride(m_width));
    WriteBytes(path, bytes);
}

// A run of a program

Program::Program(const std::wstring& exe, const std::wstring& arguments) {
    const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    std::wstring commandLine = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info))
        Fail("cannot start " + Narrow(exe) + " (error " + std::to_string(GetLastError()) + ")");
    CloseHandle(info.hThread);
    m_process.Reset(info.hProcess);
    m_id = info.dwProcessId;
}

Program::~Program() {
    if (!HasExited()) {
        TerminateProcess(Handle(), 1);
        WaitForSingleObject(Handle(), 10000);
    }
}

std::vector<HWND> Program::Windows(const wchar_t* className) const {
    std::tuple<DWORD, const wchar_t*, std::vector<HWND>> search{m_id, className, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto& [id, name, found] = *reinterpret_cast<decltype(search)*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == id && IsWindowVisible(hwnd) && ClassName(hwnd) == name)
                found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return std::get<2>(search);
}

void Program::Wait(std::string_view what, const std::function<bool()>& ready,
                   const std::function<std::string()>& seen, milliseconds timeout, Boxes boxes,
                   milliseconds poll) {
    const auto deadline = Clock::now() + timeout;
    const auto failure = [&](const std::string& why) {
        Fail(why + " while waiting for " + std::string(what) +
             (seen ? " (seen: " + seen() + ")" : ""));
    };
    for (;;) {
        if (ready()) return;
        if (HasExited() && !ready())  // it may have ended since the first look
            failure("the program ended with exit code " + std::to_string(ExitCode()));
        if (boxes == Boxes::Unexpected)
            for (HWND dialog : Windows(L"#32770"))
                if (std::find(m_held.begin(), m_held.end(), dialog) == m_held.end())
                    failure("the program shows an unexpected " + Describe(dialog));
        if (Clock::now() > deadline)
            failure("timed out after " + std::to_string(timeout.count() / 1000) + " s");
        std::this_thread::sleep_for(poll);
    }
}

std::optional<std::wstring> Program::Probe(const char* entry, HWND hwnd, uint32_t panel) const {
    wchar_t self[MAX_PATH]{};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring name = win::Widen(kProbeLibrary);
    const std::wstring path = fs::path(self).replace_filename(name).wstring();
    // A function lies at the same offset inside its module in both processes.
    const auto there = [&](const void* here, HMODULE module, const std::wstring& moduleName) {
        const uint8_t* base = ModuleBase(m_id, moduleName);
        if (!base) Fail(Narrow(moduleName) + " is not loaded in the program's process");
        return base + (static_cast<const uint8_t*>(here) - reinterpret_cast<uint8_t*>(module));
    };
    // Memory in the program's process, freed with the object.
    const auto remote = [this](size_t bytes) {
        void* address = VirtualAllocEx(Handle(), nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
        if (!address) Fail("VirtualAllocEx failed in the program's process");
        const auto free = [this](void* p) { VirtualFreeEx(Handle(), p, 0, MEM_RELEASE); };
        return std::unique_ptr<void, decltype(free)>(address, free);
    };
    const auto copy = [this](void* to, const void* from, size_t bytes) {
        if (!WriteProcessMemory(Handle(), to, from, bytes, nullptr))
            Fail("WriteProcessMemory failed in the program's process");
    };
    static const win::ScopedModule loaded(LoadLibraryW(path.c_str()));
    const HMODULE library = loaded.Get();
    const auto* entryHere = reinterpret_cast<const void*>(GetProcAddress(library, entry));
    if (!entryHere) Fail("cannot load " + Narrow(path) + " with its entry " + entry);
    if (!ModuleBase(m_id, name)) {
        const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        const auto* loadLibrary =
            reinterpret_cast<const void*>(GetProcAddress(kernel, "LoadLibraryW"));
        const size_t bytes = (path.size() + 1) * sizeof(wchar_t);
        const auto text = remote(bytes);
        copy(text.get(), path.c_str(), bytes);
        RunRemoteThread(Handle(), there(loadLibrary, kernel, L"kernel32.dll"), text.get());
    }
    const size_t bytes = offsetof(ProbeRequest, text) + kProbeChars * sizeof(wchar_t);
    const auto block = remote(bytes);
    const ProbeRequest request{reinterpret_cast<uintptr_t>(hwnd), panel, kProbeChars, 0, {0}};
    copy(block.get(), &request, offsetof(ProbeRequest, text));
    if (RunRemoteThread(Handle(), there(entryHere, library, name), block.get()) != 1)
        return std::nullopt;
    std::vector<uint8_t> answer(bytes);
    if (!ReadProcessMemory(Handle(), block.get(), answer.data(), bytes, nullptr))
        Fail("ReadProcessMemory failed in the program's process");
    const auto* filled = reinterpret_cast<const ProbeRequest*>(answer.data());
    return std::wstring(filled->text, filled->length);
}

// Dialogs

std::string Describe(HWND dialog) {
    return "window " + Quote(WindowText(dialog)) + ": " + Quote(StaticTexts(dialog));
}

Dialog::Dialog(Program& program, std::wstring_view title, milliseconds timeout)
    : m_program(program) {
    std::string seen = "none";
    program.Wait(
        "a window titled " + Quote(title),
        [&] {
            for (HWND dialog : program.Windows(L"#32770")) {
                seen = Describe(dialog);
                if (WindowText(dialog).starts_with(title)) m_hwnd = dialog;
            }
            return m_hwnd != nullptr;
        },
        [&] { return seen; }, timeout, Program::Boxes::Allowed);
    program.m_held.push_back(m_hwnd);
}

std::wstring Dialog::Message() const { return StaticTexts(m_hwnd); }

HWND Dialog::Item(int id) const {
    const HWND hwnd = GetDlgItem(m_hwnd, id);
    if (!hwnd) Fail(Describe(m_hwnd) + " has no control " + std::to_string(id));
    return hwnd;
}

void Dialog::ShowPage(int tabBar, wchar_t letter, int page) {
    PostMessageW(Item(tabBar), WM_SYSCHAR, letter, LPARAM{1} << 29);  // with Alt
    Wait("Alt+" + Narrow(std::wstring(1, letter)) + " to show page " + std::to_string(page),
         [&] { return SendMessageW(Item(tabBar), TCM_GETCURSEL, 0, 0) == page; });
}

void Answer(Program& program, std::wstring_view title, std::wstring_view question, int button) {
    Dialog box(program, title);
    Check(box.Message() == question, Describe(box.Hwnd()) + " does not ask " + Quote(question));
    box.Close(button);
}

// The board

std::string CardName(Card card) {
    return "(" + std::to_string(card.x) + "," + std::to_string(card.y) + ")";
}

std::optional<MenuItem> Menu::Find(MenuPath path) const {
    for (const MenuItem& item : items)
        if (std::equal(item.path.begin(), item.path.end(), path.begin(), path.end())) return item;
    return std::nullopt;
}

MenuItem Menu::Get(MenuPath path) const {
    const auto item = Find(path);
    if (!item)
        Fail("no menu item " + Quote(*std::prev(path.end())) + " in the menus:\n" + Describe());
    return *item;
}

std::string Menu::Describe() const {
    std::string out;
    for (const MenuItem& item : items)
        out += std::string(4 * item.path.size(), ' ') + Quote(item.path.back()) +
               (item.Enabled() ? "" : " (disabled)") + (item.Checked() ? " (checked)" : "") + "\n";
    return out;
}

Quillon::Quillon(const std::wstring& exe, const std::wstring& arguments)
    : Program(exe, arguments), m_folder(exe.substr(0, exe.find_last_of(L"\\/") + 1)) {
    // The pointer rests outside the board, so that only the driver's moves mark cards.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    // A command line may ask a question as soon as the window shows; a failure report instead
    // of the window is the end of the scenario.
    Wait(
        "the board window",
        [&] {
            for (HWND dialog : Windows(L"#32770"))
                Check(!WindowText(dialog).starts_with(text::kErrorTitle),
                      "the program reports " + Describe(dialog) + " instead of showing its board");
            return !Windows(L"QuillonBoard").empty();
        },
        {}, kTimeout, Boxes::Allowed);
    m_board = Windows(L"QuillonBoard").front();
    m_statusBar = GetDlgItem(m_board, IDC_STATUSBAR);
    Check(m_statusBar != nullptr, "the board window has no status bar");
}

Menu Quillon::ReadMenu() const {
    const std::optional<std::wstring> text = Probe(kDescribeMenu, m_board);
    if (!text) Fail("the menu description did not fit its buffer");
    Menu menu;
    std::vector<std::wstring> parents;
    std::wistringstream lines(*text);
    for (std::wstring line; std::getline(lines, line);) {
        int depth = 0, field = 0;
        MenuItem item;
        std::swscanf(line.c_str(), L"%d\x1f%d\x1f%x\x1f%n", &depth, &item.id, &item.state, &field);
        if (field == 0) Fail("malformed menu description from the probe");
        parents.resize(static_cast<size_t>(depth));
        item.path = parents;
        item.path.push_back(line.substr(static_cast<size_t>(field)));
        if (item.id == -1) parents.push_back(item.path.back());
        menu.items.push_back(std::move(item));
    }
    return menu;
}

void Quillon::Choose(MenuPath path) {
    const Menu menu = ReadMenu();
    const MenuItem item = menu.Get(path);
    Check(item.id != -1, Quote(*std::prev(path.end())) + " is a submenu, not a command");
    // A person reaches the command through every submenu above it.
    std::vector<std::wstring> above;
    for (std::wstring_view caption : path) {
        above.emplace_back(caption);
        for (const MenuItem& m : menu.items)
            Check(m.path != above || m.Enabled(), "menu item " + Quote(caption) + " is disabled");
    }
    PostMessageW(m_board, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
}

void Quillon::WaitForMenu(std::string_view what, const std::function<bool(const Menu&)>& ready) {
    std::string last;
    // Each look runs a thread inside the program, which Wine now and then fails to start: look
    // seldom.
    Wait(
        what,
        [&] {
            const Menu menu = ReadMenu();
            last = menu.Describe();
            return ready(menu);
        },
        [&] { return "\n" + last; }, kTimeout, Boxes::Unexpected, milliseconds(150));
}

std::optional<std::wstring> Quillon::Panel(int panel) const {
    // SB_GETTEXTW fills a buffer that must lie in the program's process; no thread runs there.
    constexpr size_t kChars = 1024;
    void* buffer =
        VirtualAllocEx(Handle(), nullptr, kChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE);
    if (!buffer) Fail("VirtualAllocEx failed in the program's process");
    std::optional<std::wstring> text;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(m_statusBar, SB_GETTEXTW, static_cast<WPARAM>(panel - 1),
                            reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &result)) {
        std::wstring read(std::min<size_t>(LOWORD(result), kChars - 1), L'\0');
        if (ReadProcessMemory(Handle(), buffer, read.data(), read.size() * sizeof(wchar_t),
                              nullptr))
            text = std::move(read);
    }
    VirtualFreeEx(Handle(), buffer, 0, MEM_RELEASE);
    return text;
}

std::vector<std::vector<std::wstring>> Program::ListViewRows(HWND list, int columns) const {
    // LVM_GETITEMTEXTW reads the item and fills the text where the program can write them.
    constexpr size_t kChars = 512;
    struct Remote {
        LVITEMW item;
        wchar_t text[kChars];
    };
    void* remote = VirtualAllocEx(Handle(), nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE);
    if (!remote) Fail("VirtualAllocEx failed in the program's process");
    std::vector<std::vector<std::wstring>> rows;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count);
    for (int row = 0; row < static_cast<int>(count); ++row) {
        rows.emplace_back();
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = kChars;
            item.pszText = static_cast<Remote*>(remote)->text;
            DWORD_PTR length = 0;
            Remote local{};
            if (!WriteProcessMemory(Handle(), remote, &item, sizeof item, nullptr) ||
                !SendMessageTimeoutW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 2000,
                                     &length) ||
                !ReadProcessMemory(Handle(), remote, &local, sizeof local, nullptr))
                Fail("cannot read row " + std::to_string(row) + " of a list view");
            rows.back().emplace_back(local.text, std::min<size_t>(length, kChars - 1));
        }
    }
    VirtualFreeEx(Handle(), remote, 0, MEM_RELEASE);
    return rows;
}

std::wstring Quillon::WaitForPanel(int panel, const std::vector<std::wstring>& accepted) {
    std::optional<std::wstring> text;
    std::string wanted;
    for (const auto& a : accepted) wanted += (wanted.empty() ? "" : " or ") + Quote(a);
    Wait(
        "status panel " + std::to_string(panel) + " to read " + wanted,
        [&] {
            text = Panel(panel);
            return text && std::find(accepted.begin(), accepted.end(), *text) != accepted.end();
        },
        [&] { return text ? Quote(*text) : std::string("no answer"); });
    return *text;
}

Look Quillon::LookOf(const Image& client, Card card) const {
    return LookAt(client, Scaled(kCardWidth * card.x), Scaled(kCardHeight * card.y));
}

Look Quillon::LookAt(const Image& image, int left, int top) const {
    if (m_back.Width() == 0) m_back = Image::LoadBmp(m_folder + L"Data\\Backs\\Default.bmp");
    // A grid of points inside the card, clear of its outline and rounded corners.
    int back = 0, marked = 0, green = 0, samples = 0;
    // A stretched board blends neighbouring pixels: there only points where the back is
    // even all round keep their colour.
    const auto even = [this](int x, int y) {
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (!Near(m_back.At(x + dx, y + dy), m_back.At(x, y))) return false;
        return true;
    };
    for (int x = 4; x < kCardWidth - 4; x += m_scale == 100 ? 10 : 3) {
        for (int y = 4; y < kCardHeight - 4; y += m_scale == 100 ? 10 : 3) {
            if (m_scale != 100 && !even(x, y)) continue;
            ++samples;
            const COLORREF seen = image.At(left + Scaled(x), top + Scaled(y));
            const COLORREF b = m_back.At(x, y);
            back += Near(seen, b);
            marked += Near(seen, RGB(255 - GetRValue(b), 255 - GetGValue(b), 255 - GetBValue(b)));
            green += Near(seen, kBoardGreen);
        }
    }
    if (green == samples) return Look::Empty;
    if (back == samples) return Look::Back;
    if (marked == samples) return Look::MarkedBack;
    // A face shares a few colours with the back or the board, never most of them.
    if (back <= samples / 4 && marked <= samples / 4 && green <= samples / 2) return Look::Face;
    return Look::Unclear;
}

void Quillon::WaitForLook(std::initializer_list<Card> cards, Look look) {
    for (const Card card : cards) {
        Look last = Look::Unclear;
        Wait(
            "card " + CardName(card) + " to show its " + LookName(look),
            [&] { return (last = LookOf(CaptureClient(), card)) == look; },
            [&] { return std::string(LookName(last)); });
    }
}

void Quillon::WaitUntilResponsive() const {
    DWORD_PTR result = 0;
    Check(SendMessageTimeoutW(m_board, WM_NULL, 0, 0, SMTO_BLOCK, kTimeout.count(), &result) != 0,
          "the board window does not answer");
}

double Quillon::TimeUntilLook(Card card, Look look, Clock::time_point since) {
    RECT rect = ClientRectOnScreen(m_board);
    rect.left += Scaled(kCardWidth * card.x);
    rect.top += Scaled(kCardHeight * card.y);
    rect.right = rect.left + Scaled(kCardWidth);
    rect.bottom = rect.top + Scaled(kCardHeight);
    Look last = Look::Unclear;
    Wait(
        "card " + CardName(card) + " to show its " + LookName(look),
        [&] { return (last = LookAt(Image::CaptureScreen(rect), 0, 0)) == look; },
        [&] { return std::string(LookName(last)); }, kTimeout, Boxes::Unexpected, milliseconds(1));
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

void Quillon::WaitForBoard(Look look, std::string_view when) {
    Image client;
    Wait(
        "every card to show its " + std::string(LookName(look)) + " " + std::string(when),
        [&] {
            client = CaptureClient();
            for (int k = 0; k < 2 * kPairs; ++k)
                if (LookOf(client, DealPosition(k)) != look) return false;
            return true;
        },
        [&] { return DescribeBoard(client); });
}

std::string Quillon::DescribeBoard(const Image& client) const {
    std::string out;
    for (int y = 0; y < kRows; ++y) {
        out += "\n";
        for (int x = 0; x < kColumns; ++x)
            out += std::string(" ") + LookName(LookOf(client, {x, y}));
    }
    return out;
}

void Quillon::Quit() {
    Choose({kFile, kQuit});
    WaitForExit();
    Check(ExitCode() == 0, "the program ended with exit code " + std::to_string(ExitCode()));
}

// The scenario

Scenario::Scenario(const Environment& environment, std::string name)
    : m_environment(environment), m_name(std::move(name)) {
    const fs::path program(environment.program);
    const fs::path folder = program.parent_path() / m_name;
    std::error_code error;
    fs::remove_all(folder, error);
    if (error) Fail("cannot empty " + Narrow(folder.wstring()) + ": " + error.message());
    fs::create_directories(folder);
    fs::create_directories(fs::path(environment.output) / "shots");
    // The program and its help file; the program makes its Data folder at the first start.
    fs::copy_file(program, folder / program.filename());
    if (fs::exists(program.parent_path() / "quillon.chm"))
        fs::copy_file(program.parent_path() / "quillon.chm", folder / "quillon.chm");
    m_folder = folder.wstring() + L"\\";
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, win::Widen(kRootKey).c_str());
    Check(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND,
          "cannot clear the program's settings");
}

Quillon& Scenario::Start(const std::wstring& arguments) {
    m_runs.push_back(std::make_unique<Quillon>(m_folder + L"Quillon.exe", arguments));
    return *m_runs.back();
}

void Scenario::Screenshot(std::string_view suffix) const {
    std::this_thread::sleep_for(milliseconds(200));  // for the last repaints
    const fs::path file =
        fs::path(m_environment.output) / "shots" / (m_name + std::string(suffix) + ".bmp");
    Image::CaptureScreen({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)})
        .WriteBmp(file.wstring());
}

std::vector<ProfileRecord> Scenario::Profile() const {
    return Decode(m_folder + L"Data\\profiles.dat");
}

std::vector<ProfileRecord> Scenario::DefaultProfile() const {
    return Decode(m_environment.defaultProfile);
}

void Scenario::WriteProfile(const std::vector<ProfileRecord>& records) const {
    std::vector<uint8_t> bytes;
    for (const ProfileRecord& r : records) {
        const RecordBytes one = EncodeRecord(r);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    WriteBytes(m_folder + L"Data\\profiles.dat", bytes);
}

void Store(SettingId id, const RegValue& value) { g_settings.SaveSetting(id, value); }

RegValue Stored(SettingId id) {
    return g_store.Read(RegRoot::CurrentUser, Row(id).sKey, Row(id).sName);
}

void CheckStored(SettingId id, const RegValue& expected) {
    CheckValue(Stored(id), Row(id).sName, expected);
}

void CheckStoredOption(std::string_view name, int32_t expected) {
    CheckValue(g_store.Read(RegRoot::CurrentUser, kOptionsKey, name), name, expected);
}

void CheckProfile(const Scenario& s, const std::vector<RecordChange>& changes) {
    const std::vector<ProfileRecord> now = s.Profile(), before = s.DefaultProfile();
    for (int32_t r = 1; r <= kRecordCount; ++r) {
        const ProfileRecord &was = before[r - 1], &is = now[r - 1];
        RecordChange c{r, 0, 0, 0, 0};
        for (const RecordChange& listed : changes)
            if (listed.record == r) c = listed;
        const bool unchanged = c.won == 0 && c.lost == 0 && c.null == 0 && c.found == 0;
        Check(unchanged ? is == was
                        : is.Games_Won - was.Games_Won == c.won &&
                              is.Games_Lost - was.Games_Lost == c.lost &&
                              is.Games_Null - was.Games_Null == c.null &&
                              Found(is) - Found(was) == c.found,
              "profile record " + std::to_string(r) + " went from {" + Describe(was) + "} to {" +
                  Describe(is) + "}, not by " + std::to_string(c.won) + " won, " +
                  std::to_string(c.lost) + " lost, " + std::to_string(c.null) + " null and " +
                  std::to_string(c.found) + " pairs found");
    }
}

// Steps the scenarios share

void WaitForGameType(Quillon& q, GameType type) {
    q.WaitForMenu("game type " + Quote(kGameTypes[type]) + " to be the one checked",
                  [type](const Menu& m) {
                      for (int i = 0; i < 5; ++i)
                          if (m.Get({kFile, kSettings, kGameTypes[i]}).Checked() != (i == type))
                              return false;
                      return true;
                  });
}

void WaitForGameCommands(Quillon& q, bool running) {
    q.WaitForMenu(running ? "the menus of a running game" : "the menus of no game",
                  [running](const Menu& m) {
                      return m.Get({kFile, kNewGame}).Enabled() == !running &&
                             m.Get({kFile, kAbandon}).Enabled() == running &&
                             m.Get({kFile, kSettings}).Enabled() == !running;
                  });
}

void DealUnshuffled(Quillon& q) {
    Check(!q.ReadMenu().Find({kDebug}), "the Debug menu shows before the word was typed");
    q.Type("QUINTAVE");
    q.WaitForMenu("the Debug menu", [](const Menu& m) { return m.Find({kDebug}).has_value(); });
    q.Choose({kDebug, kNoShuffle});
    q.WaitForMenu("\"Do not shuffle deck\" to be checked", [](const Menu& m) {
        return m.Get({kDebug, kNoShuffle}).Checked();
    });
}

void StartGame(Quillon& q, GameType type) {
    q.Choose({kFile, kSettings, kGameTypes[type]});
    WaitForGameType(q, type);
    q.Choose({kFile, kNewGame});
    WaitForGameCommands(q, true);
}

void PlayComputerAloneToEnd(Quillon& q) {
    q.WaitForPanel(1, {kComputerPlaying});
    q.Wait(
        "the computer to finish its game", [&] { return q.Panel(1) == kGameOver; },
        [&] { return Quote(q.Panel(1).value_or(L"no answer")); }, kLongGame);
    q.WaitForPanel(2, {Pairs()});
    q.WaitForBoard(Look::Face, "at the end of the game");
    WaitForGameCommands(q, false);
}

}  // namespace quillon::e2e
