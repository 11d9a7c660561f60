// acdbDisplayPreviewFromDwg: draws the picture a drawing file keeps into a window's client
// area, scaled to fit with its proportions kept and centred on the given background.
#include <windows.h>
#include <wincodec.h>

#include "adswin.h"
#include "fileio.h"
#include "filemap.h"
#include "gdi.h"
#include "previewcore.h"
#include "trace.h"

namespace {

// The drawing file mapped read-only: a large drawing is not read for its small picture. The
// view keeps the mapping, so the file and the mapping are closed once it is made.
bool mapDrawing(const char* path, CMappedView& view, size_t& size)
{
    CFile file;
    LARGE_INTEGER length;
    if (!file.Create(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL) ||
        !GetFileSizeEx(file, &length) || length.QuadPart <= 0 || length.QuadPart >= 0x7FFFFFFF)
        return false;
    CHandle mapping(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.IsOpen() || !view.Map(mapping, FILE_MAP_READ))
        return false;
    size = static_cast<size_t>(length.QuadPart);
    return true;
}

template <typename T>
class CComPtr {
public:
    CComPtr() = default;
    ~CComPtr()
    {
        if (p)
            p->Release();
    }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    T* operator->() const { return p; }
    T* p = nullptr;
};

// COM for the calling thread while one picture is decoded, unless the thread has it already
// in another model (then it is used as it is).
class CComScope {
public:
    CComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComScope()
    {
        if (SUCCEEDED(hr_))
            CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    HRESULT hr_;
};

// A PNG entry, through the system's imaging component.
bool decodePng(const uint8_t* data, size_t size, PreviewImage& image)
{
    CComScope com;
    CComPtr<IWICImagingFactory> factory;
    CComPtr<IWICStream> stream;
    CComPtr<IWICBitmapDecoder> decoder;
    CComPtr<IWICBitmapFrameDecode> frame;
    CComPtr<IWICBitmapSource> converted;
    UINT width = 0, height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory.p))) ||
        FAILED(factory->CreateStream(&stream.p)) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) ||
        FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder.p)) ||
        FAILED(decoder->GetFrame(0, &frame.p)) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.p, &converted.p)) ||
        FAILED(converted->GetSize(&width, &height)))
        return false;
    if (width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF ||
        static_cast<size_t>(width) * height > kMaxPreviewPixels)
        return false;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.pixels.assign(static_cast<size_t>(width) * height, 0);
    // 32 bits of blue, green, red and a filler: as 0x00RRGGBB once the filler is cleared.
    if (FAILED(converted->CopyPixels(nullptr, width * 4, static_cast<UINT>(image.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(image.pixels.data()))))
        return false;
    for (uint32_t& p : image.pixels)
        p &= 0xFFFFFF;
    return true;
}

bool decodePreview(const char* path, PreviewImage& image)
{
    CMappedView view;
    size_t size = 0;
    if (!mapDrawing(path, view, size))
        return false;
    const auto* drawing = static_cast<const uint8_t*>(view.data());
    PreviewEntry entry = findPreview(drawing, size);
    const uint8_t* data = drawing + entry.offset;
    switch (entry.format) {
    case PreviewFormat::Bitmap: return decodeBitmap(data, entry.size, image);
    case PreviewFormat::Png: return decodePng(data, entry.size, image);
    default: return false;
    }
}

// The client area less a margin, so that a frame the window draws at its edge stays seen.
const int kMargin = 2;

void drawPreview(HWND window, const PreviewImage& image, COLORREF background)
{
    RECT box;
    GetClientRect(window, &box);
    InflateRect(&box, -kMargin, -kMargin);
    if (box.right <= box.left || box.bottom <= box.top)
        return;
    CClientDC dc(window);
    if (!dc.IsOpen())
        return;
    FillRect(dc, &box, CGdiBrush(CreateSolidBrush(background)));
    PreviewPlace place = fitPreview(image.width, image.height, box.right - box.left, box.bottom - box.top);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // Each pixel keeps its own colour (no blending), as the drawing's picture has it.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, box.left + place.left, box.top + place.top, place.width, place.height, 0, 0, image.width,
                  image.height, image.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

bool acdbDisplayPreviewFromDwg(const char* fileName, HWND window, const unsigned long* bgColor)
{
    if (!fileName || !IsWindow(window))
        return false;
    try {
        PreviewImage image;
        if (!decodePreview(fileName, image))
            return false;  // the window stays as it was
        drawPreview(window, image, bgColor ? static_cast<COLORREF>(*bgColor & 0xFFFFFF) : RGB(0, 0, 0));
        return true;
    } catch (...) {
        traceException("acdbDisplayPreviewFromDwg");
        return false;  // no memory for the picture: as if there were none
    }
}
