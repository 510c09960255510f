// Thumbnails: a reduced copy of an image file through GDI+, and whether an
// existing one still fits its source.
#include <afx.h>

#include <DateTime.h>
#include <FileUtils.h>

#include <wincodec.h>

#include <climits>
#include <new>

#include "FailureLog.h"
#include "GdiplusSession.h"
#include "GraphicsUtils.h"
#include "ImageFiles_win.h"
#include "ImageHeader.h"
#include "ImagePlan.h"

namespace {

using namespace qor::img;

// IWICBitmapSourceTransform, as Microsoft documents it (the MinGW headers do
// not declare it): a decoder frame that can decode at a reduced size, as JPEG
// decoders do by whole eighths in the transform itself.
struct ScaledSource : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* pRect, UINT nWidth, UINT nHeight,
                                               WICPixelFormatGUID* pFormat, WICBitmapTransformOptions nTransform,
                                               UINT nStride, UINT nBufferSize, BYTE* pBuffer) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* pnWidth, UINT* pnHeight) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* pFormat) = 0;
  virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions nTransform, BOOL* pbSupported) = 0;
};
const IID kIIDScaledSource = {0x3B16811B, 0x6A43, 0x4ec9, {0xB7, 0x13, 0x3D, 0x5A, 0x0C, 0x13, 0xB9, 0x40}};

// Releases a COM interface when it goes away.
template <class T>
struct ComRef {
  T* p = nullptr;
  ~ComRef() { Reset(); }
  void Reset() {
    if (p != nullptr) p->Release();
    p = nullptr;
  }
  T* operator->() const { return p; }
};

// COM for this thread while a call needs it: a thread that already has
// COM (in any apartment) keeps it as it is.
class ComScope {
 public:
  ComScope() : m_hr(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(m_hr)) ::CoUninitialize();
  }
  bool IsUsable() const { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }

 private:
  HRESULT m_hr;
};

// The source decoded once, drawn into a 24-bit bitmap and saved.
class ThumbnailWrite : public ThumbnailSteps {
 public:
  bool ReadSize(const CString& strPath, int& nWidth, int& nHeight) override {
    ImageHeader header;
    if (CheckImageFile(strPath, &header) != SourceCheck::Decode) return false;
    m_kind = header.kind;
    // A metafile declares its size in its own units; GDI+ tells it in pixels.
    if (header.kind == ImageKind::Metafile) {
      GraphicsUtils::GetImageSize(strPath, nWidth, nHeight);
    } else {
      nWidth = static_cast<int>(header.nWidth);
      nHeight = static_cast<int>(header.nHeight);
    }
    m_nSrcWidth = nWidth, m_nSrcHeight = nHeight;
    return true;
  }

  bool LoadSource(const CString& strPath, int nWidth, int nHeight) override {
    if (m_kind == ImageKind::Jpeg && LoadJpeg(strPath, nWidth, nHeight)) return true;
    m_pSource.reset();
    m_pPixels.reset();
    m_pSource.reset(new Gdiplus::Image(WidePath(strPath).get()));
    return m_pSource && m_pSource->GetLastStatus() == Gdiplus::Ok;
  }

  bool FindEncoder(const wchar_t* pszMime) override { return m_encoder.Find(pszMime); }

  bool Draw(int nWidth, int nHeight) override {
    m_pBitmap.reset(new Gdiplus::Bitmap(nWidth, nHeight, PixelFormat24bppRGB));
    if (!m_pBitmap || m_pBitmap->GetLastStatus() != Gdiplus::Ok) return false;
    m_pBitmap->SetResolution(m_pSource->GetHorizontalResolution(), m_pSource->GetVerticalResolution());
    Gdiplus::Graphics graphics(m_pBitmap.get());
    // A drawing that ran out of memory would be saved as a black thumbnail.
    return graphics.GetLastStatus() == Gdiplus::Ok &&
           graphics.DrawImage(m_pSource.get(), 0, 0, nWidth, nHeight) != Gdiplus::OutOfMemory;
  }

  int Save(const CString& strTarget) override {
    CString strLogText, strReplaceError;
    return SaveImageBeside(*m_pBitmap, strTarget, m_encoder, strLogText, strReplaceError);
  }

 private:
  // A JPEG through the imaging component: reduced in its decoder when the
  // thumbnail is at most half the source on both sides and the decoder can
  // scale, otherwise whole; false when anything fails (GDI+ then loads it).
  bool LoadJpeg(const CString& strPath, int nWidth, int nHeight) {
    ComScope com;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICBitmapDecoder> decoder;
    ComRef<IWICBitmapFrameDecode> frame;
    double dDpiX = 0, dDpiY = 0;
    if (!com.IsUsable() ||
        FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory.p))) ||
        FAILED(factory->CreateDecoderFromFilename(WidePath(strPath).get(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder.p)) ||
        FAILED(decoder->GetFrame(0, &frame.p)) || FAILED(frame->GetResolution(&dDpiX, &dDpiY)))
      return false;
    UINT w = static_cast<UINT>(m_nSrcWidth), h = static_cast<UINT>(m_nSrcHeight);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    ComRef<ScaledSource> scaled;
    const int n = ReducedScale(m_nSrcWidth, m_nSrcHeight, nWidth, nHeight);
    if (n > 1 && SUCCEEDED(frame->QueryInterface(kIIDScaledSource, reinterpret_cast<void**>(&scaled.p)))) {
      w = static_cast<UINT>((n - 1LL + m_nSrcWidth) / n), h = static_cast<UINT>((n - 1LL + m_nSrcHeight) / n);
      // The decoder names the size and format it makes; anything but a
      // smaller 24-bit picture that still covers the thumbnail is declined.
      if (FAILED(scaled->GetClosestSize(&w, &h)) || FAILED(scaled->GetClosestPixelFormat(&format)) ||
          format != GUID_WICPixelFormat24bppBGR || w < static_cast<UINT>(nWidth) ||
          h < static_cast<UINT>(nHeight) || w >= static_cast<UINT>(m_nSrcWidth))
        scaled.Reset(), w = static_cast<UINT>(m_nSrcWidth), h = static_cast<UINT>(m_nSrcHeight);
    }
    const unsigned long long nStride = (w * 3ull + 3) & ~3ull, nBytes = nStride * h;
    if (nBytes > UINT_MAX) return false;  // WIC counts a buffer in 32 bits
    m_pPixels.reset(new (std::nothrow) BYTE[nBytes]);
    if (!m_pPixels) return false;
    HRESULT hr = E_FAIL;
    if (scaled.p != nullptr) {
      hr = scaled->CopyPixels(nullptr, w, h, &format, WICBitmapTransformRotate0, static_cast<UINT>(nStride),
                              static_cast<UINT>(nBytes), m_pPixels.get());
    } else {
      ComRef<IWICFormatConverter> converter;
      if (SUCCEEDED(factory->CreateFormatConverter(&converter.p)) &&
          SUCCEEDED(converter->Initialize(frame.p, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                          WICBitmapPaletteTypeCustom)))
        hr = converter->CopyPixels(nullptr, static_cast<UINT>(nStride), static_cast<UINT>(nBytes), m_pPixels.get());
    }
    if (FAILED(hr)) return false;
    // GDI+'s 24-bit pixels are WIC's BGR bytes; the bitmap reads them in place.
    m_pSource.reset(new Gdiplus::Bitmap(static_cast<INT>(w), static_cast<INT>(h), static_cast<INT>(nStride),
                                        PixelFormat24bppRGB, m_pPixels.get()));
    if (!m_pSource || m_pSource->GetLastStatus() != Gdiplus::Ok) return false;
    static_cast<Gdiplus::Bitmap*>(m_pSource.get())
        ->SetResolution(static_cast<Gdiplus::REAL>(dDpiX), static_cast<Gdiplus::REAL>(dDpiY));
    return true;
  }

  qor::GdiplusSession m_session;  // outlives the images
  ImageKind m_kind = ImageKind::Unknown;
  int m_nSrcWidth = 0, m_nSrcHeight = 0;
  std::unique_ptr<BYTE[]> m_pPixels;  // a JPEG's pixels, read in place by m_pSource
  std::unique_ptr<Gdiplus::Image> m_pSource;
  std::unique_ptr<Gdiplus::Bitmap> m_pBitmap;
  Encoder m_encoder;
};

}  // namespace

CString GraphicsUtils::SaveThumbnailImage(const CString& strSource, const CString& strTarget, int nWidth,
                                          int nHeight) {
  ThumbnailWrite steps;
  return MakeThumbnail(steps, strSource, strTarget, nWidth, nHeight);
}

bool GraphicsUtils::IsThumbnailImageUpToDate(const CString& strSource, const CString& strThumbnail, int nWidth,
                                             int nHeight) {
  if (!IsThumbnailRequest(nWidth, nHeight)) {
    qor::LogFailure("{D744C93F-A0F9-4709-8F0A-B709D0775625}");
    return false;
  }
  if (strThumbnail.IsEmpty() || !FileUtils::DoesFileExist(strThumbnail)) {
    qor::LogFailure("{1EC10526-DE54-4856-98B4-938CDBC2A2DD}");
    return false;
  }
  if (strSource.CompareNoCase(strThumbnail) == 0 || !FileUtils::DoesFileExist(strSource)) {
    qor::LogFailure("{300E5550-6A9B-404E-8396-997F013FCB6F}");
    return false;
  }
  int nThumbWidth = 0, nThumbHeight = 0;
  GetImageSize(strThumbnail, nThumbWidth, nThumbHeight);
  if (!ThumbnailSizeMatches(nWidth, nHeight, nThumbWidth, nThumbHeight)) return false;
  unsigned __int64 nSize = 0;
  DateTime dtSource, dtThumbnail;
  FileUtils::GetFileInfoCore(strSource, nSize, dtSource);
  FileUtils::GetFileInfoCore(strThumbnail, nSize, dtThumbnail);
  return dtThumbnail > dtSource;
}
