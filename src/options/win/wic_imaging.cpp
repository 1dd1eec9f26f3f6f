#include "options/win/wic_imaging.h"

#include <algorithm>
#include <vector>

#include "shell/error_report.h"
#include "shell/win/text.h"
#include "ui/win/picture_loader.h"  // ErrInvalidPicture

namespace quillon::win {

namespace {

// Rows read from the component at a time: a photo of many megapixels needs no second copy of
// itself in memory.
constexpr int kBandRows = 64;

[[noreturn]] void ThrowWriteFailure(HRESULT hr, const char* sStep) {
    // A file error comes back wrapped; its own text is what the player can act on.
    const DWORD lError = HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : hr;
    throw QuillonError(ErrPathFileAccess,
                       FailureText(lError) + " (" + sStep + ", 0x" + HexCode(hr) + ")");
}

void Check(HRESULT hr, const char* sStep) {
    if (FAILED(hr)) ThrowWriteFailure(hr, sStep);
}

uint8_t OverWhite(uint8_t c, uint8_t a) {
    return static_cast<uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
}

}  // namespace

WicImaging::WicImaging() {
    const HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, m_factory.OutVoid());
    if (FAILED(hr) || !m_factory)
        throw QuillonError(ErrCannotCreateObject,
                           "The imaging component couldn't be started (0x" + HexCode(hr) + ")");
}

WicImaging::Picture WicImaging::Open(const std::wstring& sPath) const {
    const auto fail = [&](const char* sWhy, HRESULT hr) -> QuillonError {
        return QuillonError(ErrInvalidPicture, "Invalid picture: " + Narrow(sPath) + " (" + sWhy +
                                                   ", 0x" + HexCode(hr) + ")");
    };
    ComPtr<IWICBitmapDecoder> decoder;
    HRESULT hr = m_factory->CreateDecoderFromFilename(
        sPath.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, decoder.Out());
    if (FAILED(hr)) throw fail("no decoder", hr);
    ComPtr<IWICBitmapFrameDecode> frame;
    hr = decoder->GetFrame(0, frame.Out());
    if (FAILED(hr)) throw fail("no frame", hr);
    ComPtr<IWICFormatConverter> converter;
    hr = m_factory->CreateFormatConverter(converter.Out());
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    if (FAILED(hr)) throw fail("no conversion", hr);
    UINT lWidth = 0, lHeight = 0;
    hr = converter->GetSize(&lWidth, &lHeight);
    if (FAILED(hr) || lWidth == 0 || lHeight == 0 || lWidth > INT_MAX / 4 || lHeight > INT_MAX)
        throw fail("no size", hr);
    ComPtr<IWICBitmapSource> pixels;
    hr = converter->QueryInterface(IID_IWICBitmapSource, pixels.OutVoid());
    if (FAILED(hr)) throw fail("no pixels", hr);
    return Picture(std::move(pixels), static_cast<int>(lWidth), static_cast<int>(lHeight));
}

PixelImage WicImaging::Picture::Read(const CropRect& rect) const {
    PixelImage image{rect.lWidth, rect.lHeight,
                     std::vector<Rgb>(static_cast<size_t>(rect.lWidth) * rect.lHeight)};
    const UINT lStride = 4u * static_cast<UINT>(rect.lWidth);
    std::vector<uint8_t> band(static_cast<size_t>(lStride) * kBandRows);
    auto out = image.pixels.begin();
    for (int lTop = 0; lTop < rect.lHeight; lTop += kBandRows) {
        const int lRows = std::min(kBandRows, rect.lHeight - lTop);
        const WICRect wanted{rect.lX, rect.lY + lTop, rect.lWidth, lRows};
        const HRESULT hr = m_pixels->CopyPixels(&wanted, lStride, lStride * lRows, band.data());
        if (FAILED(hr))
            throw QuillonError(ErrInvalidPicture,
                               "The picture couldn't be decoded (0x" + HexCode(hr) + ")");
        const uint8_t* p = band.data();
        for (int i = 0; i < lRows * rect.lWidth; ++i, p += 4)
            *out++ = {OverWhite(p[2], p[3]), OverWhite(p[1], p[3]), OverWhite(p[0], p[3])};
    }
    return image;
}

void WicImaging::WriteJpeg(const MemoryCanvas& picture, const std::wstring& sPath,
                           float fQuality) const {
    const int lWidth = picture.Width(), lHeight = picture.Height();
    const UINT lStride = (3u * static_cast<UINT>(lWidth) + 3u) & ~3u;
    std::vector<uint8_t> bgr(static_cast<size_t>(lStride) * lHeight);
    for (int y = 0; y < lHeight; ++y)
        for (int x = 0; x < lWidth; ++x) {
            const Rgb c = picture.Pixel(x, y);
            uint8_t* p = bgr.data() + static_cast<size_t>(y) * lStride + 3u * x;
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }

    ComPtr<IWICStream> stream;
    Check(m_factory->CreateStream(stream.Out()), "CreateStream");
    Check(stream->InitializeFromFilename(sPath.c_str(), GENERIC_WRITE), "open");
    ComPtr<IWICBitmapEncoder> encoder;
    Check(m_factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.Out()),
          "CreateEncoder");
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), "Initialize");
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(frame.Out(), options.Out()), "CreateNewFrame");
    if (options) {
        // The encoder writes baseline JPEG; only the quality is ours to choose. An encoder
        // without the option keeps its own.
        PROPBAG2 option{};
        option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value{};
        value.vt = VT_R4;
        value.fltVal = fQuality;
        options->Write(1, &option, &value);
    }
    Check(frame->Initialize(options.Get()), "frame Initialize");
    Check(frame->SetSize(static_cast<UINT>(lWidth), static_cast<UINT>(lHeight)), "SetSize");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "SetPixelFormat");
    if (format != GUID_WICPixelFormat24bppBGR)
        ThrowWriteFailure(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT, "SetPixelFormat");
    Check(frame->WritePixels(static_cast<UINT>(lHeight), lStride, static_cast<UINT>(bgr.size()),
                             bgr.data()),
          "WritePixels");
    Check(frame->Commit(), "frame Commit");
    Check(encoder->Commit(), "Commit");
    Check(stream->Commit(STGC_DEFAULT), "stream Commit");
}

}  // namespace quillon::win
