#pragma once
// The platform's imaging component (WIC): reading the first frame of a picture file in any
// format it knows (JPEG, PNG, BMP, GIF...) and writing a picture buffer as a baseline JPEG.
// Scaling is done by ScalePicture: under Wine the component's scaler fails to hand its pixels
// over.

#include <windows.h>
// After windows.h, which it needs.
#include <wincodec.h>

#include <string>

#include "options/card_set_rules.h"
#include "options/picture_scaling.h"
#include "shell/win/scoped.h"
#include "ui/win/gdi_canvas.h"

namespace quillon::win {

class WicImaging {
  public:
    // Initialises COM on this thread for the object's life. Throws QuillonError
    // (ErrCannotCreateObject) when the component is not there.
    WicImaging();
    WicImaging(const WicImaging&) = delete;
    WicImaging& operator=(const WicImaging&) = delete;

    class Picture {
      public:
        int Width() const { return m_lWidth; }
        int Height() const { return m_lHeight; }
        // The pixels of rect (inside the picture), transparent ones laid over white.
        PixelImage Read(const CropRect& rect) const;

      private:
        friend class WicImaging;
        Picture(ComPtr<IWICBitmapSource> pixels, int lWidth, int lHeight)
            : m_pixels(std::move(pixels)), m_lWidth(lWidth), m_lHeight(lHeight) {}
        ComPtr<IWICBitmapSource> m_pixels;  // 32-bit BGRA
        int m_lWidth;
        int m_lHeight;
    };

    // The first frame of the file at sPath. Throws QuillonError (ErrInvalidPicture) naming the
    // file when it cannot be opened or is no picture the component reads.
    Picture Open(const std::wstring& sPath) const;

    // picture as a JPEG of the given quality (0..1) into the new file sPath. Throws
    // QuillonError (ErrPathFileAccess) with the system's reason; the file may be left
    // half-written, so the caller writes to a file of its own first.
    void WriteJpeg(const MemoryCanvas& picture, const std::wstring& sPath, float fQuality) const;

  private:
    ScopedCoInit m_com;
    ComPtr<IWICImagingFactory> m_factory;
};

}  // namespace quillon::win
