#include "ui/win/picture_loader.h"

#include <ole2.h>
#include <olectl.h>

#include <string>

#include "shell/error_report.h"
#include "shell/win/modFiles.h"
#include "shell/win/scoped.h"
#include "shell/win/text.h"

namespace quillon::win {

namespace {

constexpr int kHimetricPerInch = 2540;

std::wstring FullPath(const std::wstring& sPath) {
    const DWORD n = GetFullPathNameW(sPath.c_str(), 0, nullptr, nullptr);
    if (n == 0) return sPath;
    std::wstring full(n, L'\0');
    const DWORD written = GetFullPathNameW(sPath.c_str(), n, full.data(), nullptr);
    if (written == 0 || written >= n) return sPath;
    full.resize(written);
    return full;
}

// Pixels of a HIMETRIC extent on a device of lDotsPerInch, rounded to the nearest.
int ToPixels(LONG lHimetric, int lDotsPerInch) {
    return MulDiv(lHimetric, lDotsPerInch, kHimetricPerInch);
}

}  // namespace

MemoryCanvas LoadPictureFile(std::string_view sPath, HDC hdcReference) {
    const std::wstring full = FullPath(Widen(sPath));
    const std::string sName = Narrow(full);
    if (!FileExists(sName)) throw QuillonError(ErrFileNotFound, "File not found: " + sName);

    // COM for the length of one load: the program needs it nowhere else, and starting it
    // with the program would cost every start-up the time to bring its libraries in.
    const ScopedCoInit com;
    ComPtr<IPicture> picture;
    const HRESULT hr = OleLoadPicturePath(const_cast<LPOLESTR>(full.c_str()), nullptr, 0, 0,
                                          IID_IPicture, picture.OutVoid());
    if (FAILED(hr) || !picture)
        throw QuillonError(ErrInvalidPicture,
                           "Invalid picture: " + sName + " (0x" + HexCode(hr) + ")");

    OLE_XSIZE_HIMETRIC lHmWidth = 0;
    OLE_YSIZE_HIMETRIC lHmHeight = 0;
    if (FAILED(picture->get_Width(&lHmWidth)) || FAILED(picture->get_Height(&lHmHeight)))
        throw QuillonError(ErrInvalidPicture, "Invalid picture: " + sName + " (no size)");

    int lWidth = 0;
    int lHeight = 0;
    {
        // The loader keeps sizes in HIMETRIC; pixels are what the picture's own device makes
        // of them, so the reference DC (or the screen) decides.
        const ScopedGetDC screen(nullptr);
        const HDC hdcMetrics = hdcReference != nullptr ? hdcReference : screen.Get();
        lWidth = ToPixels(lHmWidth, GetDeviceCaps(hdcMetrics, LOGPIXELSX));
        lHeight = ToPixels(lHmHeight, GetDeviceCaps(hdcMetrics, LOGPIXELSY));
    }
    if (lWidth <= 0 || lHeight <= 0)
        throw QuillonError(ErrInvalidPicture, "Invalid picture: " + sName + " (empty image)");

    MemoryCanvas canvas(lWidth, lHeight, kBlack, hdcReference);
    // HIMETRIC runs bottom-up: the source starts at the bottom edge with a negative height.
    const HRESULT hrRender = picture->Render(canvas.Dc(), 0, 0, lWidth, lHeight, 0, lHmHeight,
                                             lHmWidth, -lHmHeight, nullptr);
    if (FAILED(hrRender))
        throw QuillonError(ErrInvalidPicture,
                           "Invalid picture: " + sName + " (0x" + HexCode(hrRender) + ")");
    return canvas;
}

MemoryCanvas LoadBitmapResource(HMODULE hModule, std::string_view sName, HDC hdcReference) {
    const std::wstring wName = Widen(sName);
    const ScopedGdiObject bitmap(
        LoadImageW(hModule, wName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        throw QuillonError(ErrInvalidPicture,
                           std::string("Bitmap resource ").append(sName) + " couldn't be loaded");
    BITMAP info{};
    if (GetObjectW(bitmap.Get(), sizeof info, &info) != sizeof info || info.bmWidth <= 0 ||
        info.bmHeight == 0)
        throw QuillonError(ErrInvalidPicture,
                           std::string("Bitmap resource ").append(sName) + " has no size");
    const int lWidth = info.bmWidth;
    const int lHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;

    MemoryCanvas canvas(lWidth, lHeight, kBlack, hdcReference);
    const ScopedMemoryDC source(CreateCompatibleDC(canvas.Dc()));
    if (!source)
        throw QuillonError(ErrInvalidCall,
                           std::string("CreateCompatibleDC failed for ").append(sName));
    const ScopedSelect selected(source.Get(), bitmap.Get());
    const GdiCanvas sourceCanvas(source.Get(), lWidth, lHeight);
    canvas.BitBlt(0, 0, lWidth, lHeight, &sourceCanvas, 0, 0, RasterOp::Copy);
    return canvas;
}

}  // namespace quillon::win
