#pragma once
// RAII owners for the Win32 handles the program uses. Copying is deleted; moving hands the
// handle over.

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <string_view>
#include <utility>

namespace quillon::win {

template <typename Traits>
class Scoped {
  public:
    using Handle = typename Traits::Handle;
    Scoped() = default;
    explicit Scoped(Handle h) : m_h(h) {}
    ~Scoped() { Reset(); }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& other) noexcept : m_h(std::exchange(other.m_h, Traits::Invalid())) {}
    Scoped& operator=(Scoped&& other) noexcept {
        if (this != &other) {
            Reset();
            m_h = std::exchange(other.m_h, Traits::Invalid());
        }
        return *this;
    }
    Handle Get() const { return m_h; }
    Handle* Out() {
        Reset();
        return &m_h;
    }
    Handle Release() { return std::exchange(m_h, Traits::Invalid()); }
    void Reset(Handle h = Traits::Invalid()) {
        if (m_h != Traits::Invalid()) Traits::Close(m_h);
        m_h = h;
    }
    explicit operator bool() const { return m_h != Traits::Invalid(); }

  private:
    Handle m_h = Traits::Invalid();
};

struct HKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
struct HandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct MemoryDCTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
struct CursorTraits {
    using Handle = HCURSOR;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyCursor(h); }
};

using ScopedHKey = Scoped<HKeyTraits>;
using ScopedHandle = Scoped<HandleTraits>;
using ScopedFile = Scoped<FileHandleTraits>;
using ScopedMemoryDC = Scoped<MemoryDCTraits>;
using ScopedGdiObject = Scoped<GdiObjectTraits>;
using ScopedModule = Scoped<ModuleTraits>;
using ScopedMenu = Scoped<MenuTraits>;

// A device context from GetDC, released with ReleaseDC.
class ScopedGetDC {
  public:
    explicit ScopedGetDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(GetDC(hwnd)) {}
    ~ScopedGetDC() {
        if (m_hdc) ReleaseDC(m_hwnd, m_hdc);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC Get() const { return m_hdc; }

  private:
    HWND m_hwnd;
    HDC m_hdc;
};

// Selects an object into a DC and puts the previous one back.
class ScopedSelect {
  public:
    ScopedSelect(HDC hdc, HGDIOBJ obj) : m_hdc(hdc), m_old(SelectObject(hdc, obj)) {}
    ~ScopedSelect() {
        if (m_old) SelectObject(m_hdc, m_old);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

class ScopedCoInit {
  public:
    ScopedCoInit() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ScopedCoInit() {
        if (SUCCEEDED(m_hr)) CoUninitialize();
    }
    ScopedCoInit(const ScopedCoInit&) = delete;
    ScopedCoInit& operator=(const ScopedCoInit&) = delete;
    HRESULT Result() const { return m_hr; }

  private:
    HRESULT m_hr;
};

// A COM interface pointer, released at the end of its scope.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    T** Out() {
        Reset();
        return &m_p;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    void Reset() {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }
    explicit operator bool() const { return m_p != nullptr; }

  private:
    T* m_p = nullptr;
};

// An automation text, freed at the end of its scope.
class ScopedBstr {
  public:
    ScopedBstr() = default;
    explicit ScopedBstr(std::wstring_view text)
        : m_b(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ~ScopedBstr() { SysFreeString(m_b); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR Get() const { return m_b; }
    BSTR* Out() {
        SysFreeString(std::exchange(m_b, nullptr));
        return &m_b;
    }
    BSTR Release() { return std::exchange(m_b, nullptr); }

  private:
    BSTR m_b = nullptr;
};

// A VARIANT cleared at the end of its scope, which frees what it holds (texts, objects).
class ScopedVariant {
  public:
    ScopedVariant() { VariantInit(&m_v); }
    ~ScopedVariant() { VariantClear(&m_v); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    ScopedVariant(ScopedVariant&& other) noexcept : m_v(other.m_v) { VariantInit(&other.m_v); }
    ScopedVariant& operator=(ScopedVariant&& other) noexcept {
        if (this != &other) {
            VariantClear(&m_v);
            m_v = other.m_v;
            VariantInit(&other.m_v);
        }
        return *this;
    }
    VARIANT* Get() { return &m_v; }
    const VARIANT* Get() const { return &m_v; }
    VARTYPE Type() const { return V_VT(&m_v); }
    // Empties the variant first, for functions that fill it.
    VARIANT* Out() {
        VariantClear(&m_v);
        return &m_v;
    }

  private:
    VARIANT m_v;
};

// Shows a cursor until the end of its scope, then puts the previous one back.
class ScopedCursor {
  public:
    explicit ScopedCursor(HCURSOR cursor) : m_old(SetCursor(cursor)) {}
    ~ScopedCursor() { SetCursor(m_old); }
    ScopedCursor(const ScopedCursor&) = delete;
    ScopedCursor& operator=(const ScopedCursor&) = delete;

  private:
    HCURSOR m_old;
};

}  // namespace quillon::win
