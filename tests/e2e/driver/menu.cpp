#include "menu.h"

#include <algorithm>
#include <memory>

#include "check.h"
#include "menu_probe.h"
#include "remote.h"
#include "shell/win/scoped.h"

namespace quillon::e2e {

namespace {

constexpr uint32_t kProbeCapacity = 16384;

// The probe's entry, as loaded into the driver to learn its offset.
const void* LocalProbeEntry() {
    static HMODULE module = LoadLibraryW((DriverFolder() + Widen(kProbeLibrary)).c_str());
    if (!module) Fail("cannot load " + std::string(kProbeLibrary) + " beside the driver");
    const auto entry = reinterpret_cast<const void*>(GetProcAddress(module, kProbeEntry));
    if (!entry) Fail(std::string(kProbeLibrary) + " has no entry " + kProbeEntry);
    return entry;
}

std::vector<std::wstring_view> Split(std::wstring_view line, wchar_t separator, size_t parts) {
    std::vector<std::wstring_view> out;
    while (out.size() + 1 < parts) {
        const size_t at = line.find(separator);
        if (at == std::wstring_view::npos) break;
        out.push_back(line.substr(0, at));
        line.remove_prefix(at + 1);
    }
    out.push_back(line);
    return out;
}

bool StartsWith(const std::vector<std::wstring>& path, MenuPath prefix) {
    if (path.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), path.begin());
}

}  // namespace

Menu Menu::Read(HANDLE hProcess, DWORD processId, HWND hwnd) {
    const void* localEntry = LocalProbeEntry();
    InjectLibrary(hProcess, processId, DriverFolder() + Widen(kProbeLibrary));
    const size_t bytes = offsetof(ProbeRequest, text) + kProbeCapacity * sizeof(wchar_t);
    RemoteBuffer buffer(hProcess, bytes);
    ProbeRequest header{reinterpret_cast<uintptr_t>(hwnd), kProbeCapacity, 0, {0}};
    buffer.Write(&header, offsetof(ProbeRequest, text));
    if (CallRemote(hProcess, RemoteAddressOf(processId, localEntry), buffer.Address()) != 1)
        Fail("the menu description did not fit its buffer");
    const std::vector<uint8_t> raw = buffer.Read(bytes);
    const auto* request = reinterpret_cast<const ProbeRequest*>(raw.data());
    const std::wstring text(request->text, request->length);

    Menu menu;
    std::vector<std::wstring> parents;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        const auto fields =
            Split(std::wstring_view(text).substr(start, end - start), kFieldSeparator, 4);
        start = end + 1;
        if (fields.size() != 4) Fail("malformed menu description from the probe");
        const size_t depth = std::stoul(std::wstring(fields[0]));
        MenuItem item;
        item.id = std::stoi(std::wstring(fields[1]));
        item.state = static_cast<UINT>(std::stoul(std::wstring(fields[2]), nullptr, 16));
        if (item.id == -1) item.state &= 0xFF;  // the high byte counts a submenu's items
        parents.resize(depth);
        item.path = parents;
        item.path.emplace_back(fields[3]);
        if (item.IsSubmenu()) parents.emplace_back(fields[3]);
        menu.m_items.push_back(std::move(item));
    }
    return menu;
}

std::optional<MenuItem> Menu::Find(MenuPath path) const {
    for (const MenuItem& item : m_items)
        if (item.path.size() == path.size() && StartsWith(item.path, path)) return item;
    return std::nullopt;
}

MenuItem Menu::Get(MenuPath path) const {
    auto item = Find(path);
    if (!item) Fail("menu item " + PathText(path) + " is not in the menu bar:\n" + Describe());
    return *item;
}

std::vector<MenuItem> Menu::Parents(const MenuItem& item) const {
    std::vector<MenuItem> out;
    for (size_t depth = 1; depth < item.path.size(); ++depth) {
        for (const MenuItem& candidate : m_items) {
            if (candidate.IsSubmenu() && candidate.path.size() == depth &&
                std::equal(candidate.path.begin(), candidate.path.end(), item.path.begin())) {
                out.push_back(candidate);
                break;
            }
        }
    }
    return out;
}

std::vector<std::wstring> Menu::Children(MenuPath path) const {
    std::vector<std::wstring> out;
    for (const MenuItem& item : m_items) {
        if (item.path.size() != path.size() + 1 || !StartsWith(item.path, path)) continue;
        out.push_back(item.IsSeparator() ? L"-" : item.path.back());
    }
    return out;
}

std::string Menu::Describe() const {
    std::string out;
    for (const MenuItem& item : m_items) {
        out += std::string(4 * item.path.size(), ' ') +
               (item.IsSeparator() ? std::string("-") : Quote(item.path.back()));
        if (!item.IsEnabled()) out += " (disabled)";
        if (item.IsChecked()) out += " (checked)";
        out += "\n";
    }
    return out;
}

std::string PathText(MenuPath path) {
    std::string out;
    for (std::wstring_view caption : path) out += (out.empty() ? "" : " > ") + Quote(caption);
    return out;
}

}  // namespace quillon::e2e
