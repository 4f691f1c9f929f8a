#include "controls/WicImageLoader.h"

#include <objbase.h>
#include <wincodec.h>

namespace {

// {CACAF262-9370-4615-A13B-9F5539DA4C0A}
constexpr CLSID kImagingFactoryClass = {
    0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
// {EC5EC8A9-C395-4314-9C77-54D7A935FF70}
constexpr IID kImagingFactoryInterface = {
    0xec5ec8a9, 0xc395, 0x4314, {0x9c, 0x77, 0x54, 0xd7, 0xa9, 0x35, 0xff, 0x70}};
// 32 bits per pixel, blue-green-red-alpha, straight alpha.
constexpr GUID kPixelFormat32bppBGRA = {
    0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0f}};

IWICImagingFactory* Factory() {
    static IWICImagingFactory* factory = nullptr;
    if (!factory) {
        void* created = nullptr;
        if (SUCCEEDED(CoCreateInstance(kImagingFactoryClass, nullptr, CLSCTX_INPROC_SERVER,
                                       kImagingFactoryInterface, &created))) {
            factory = static_cast<IWICImagingFactory*>(created);
        }
    }
    return factory;
}

// Releases a COM pointer on every path out of a scope.
template <typename T>
struct Releaser {
    T* object = nullptr;
    ~Releaser() {
        if (object) {
            object->Release();
        }
    }
};

HBITMAP Decode(IWICImagingFactory* factory, const void* data, DWORD size) {
    Releaser<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream.object)) ||
        FAILED(stream.object->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)),
                                                   size))) {
        return nullptr;
    }
    Releaser<IWICBitmapDecoder> decoder;
    Releaser<IWICBitmapFrameDecode> frame;
    Releaser<IWICFormatConverter> converter;
    if (FAILED(factory->CreateDecoderFromStream(stream.object, nullptr,
                                                WICDecodeMetadataCacheOnDemand, &decoder.object)) ||
        FAILED(decoder.object->GetFrame(0, &frame.object)) ||
        FAILED(factory->CreateFormatConverter(&converter.object)) ||
        FAILED(converter.object->Initialize(frame.object, kPixelFormat32bppBGRA,
                                            WICBitmapDitherTypeNone, nullptr, 0.0,
                                            WICBitmapPaletteTypeCustom))) {
        return nullptr;
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter.object->GetSize(&width, &height)) || width == 0 || height == 0) {
        return nullptr;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC delivers rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        return nullptr;
    }
    const UINT stride = width * 4;
    if (FAILED(converter.object->CopyPixels(nullptr, stride, stride * height,
                                            static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}

}  // namespace

HBITMAP CWicImageLoader::LoadResourceImage(HMODULE module, UINT resourceId) {
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"Image");
    if (!resource) {
        resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG");
    }
    if (!resource) {
        return nullptr;
    }
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, resource);
    IWICImagingFactory* factory = data && size ? Factory() : nullptr;
    return factory ? Decode(factory, data, size) : nullptr;
}
