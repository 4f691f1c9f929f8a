#include "pagehost/PngFile.h"

#include <objbase.h>
#include <wincodec.h>

#include <string>
#include <vector>

#include "arpeggiate/FileIo.h"
#include "arpeggiate/HresultText.h"

namespace {

// Releases the interface on every path out of a scope.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (object != nullptr) object->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T** Out() { return &object; }
    T* operator->() const { return object; }
    T* Get() const { return object; }

private:
    T* object = nullptr;
};

void Check(HRESULT hr, const std::string& what) {
    if (FAILED(hr)) throw PngError(what + " (" + HresultText(hr) + ")");
}

ComPtr<IWICImagingFactory>& Factory(ComPtr<IWICImagingFactory>& factory) {
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out())),
          "the Windows Imaging Component is not available");
    return factory;
}

// Blue, green, red per pixel; rows padded to four bytes.
std::vector<BYTE> Bgr24(const RgbImage& image, UINT stride) {
    std::vector<BYTE> bytes(static_cast<size_t>(stride) * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        BYTE* row = bytes.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < image.width; ++x) {
            const uint32_t pixel = image.At(x, y);
            row[3 * x] = static_cast<BYTE>(pixel);
            row[3 * x + 1] = static_cast<BYTE>(pixel >> 8);
            row[3 * x + 2] = static_cast<BYTE>(pixel >> 16);
        }
    }
    return bytes;
}

void EncodeFrame(IWICBitmapEncoder* encoder, const RgbImage& image) {
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(frame.Out(), options.Out()), "no PNG frame");
    Check(frame->Initialize(options.Get()), "the PNG frame refused its options");
    Check(frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height)),
          "the PNG frame refused its size");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "the PNG frame refused 24-bit pixels");
    if (format != GUID_WICPixelFormat24bppBGR) throw PngError("the PNG encoder wants other pixels");
    const UINT stride = (3 * static_cast<UINT>(image.width) + 3) & ~3u;
    std::vector<BYTE> bytes = Bgr24(image, stride);
    Check(frame->WritePixels(static_cast<UINT>(image.height), stride,
                             static_cast<UINT>(bytes.size()), bytes.data()),
          "the PNG frame refused the pixels");
    Check(frame->Commit(), "the PNG frame could not be finished");
}

// The stream's bytes, from its start to its end.
std::vector<uint8_t> StreamBytes(IStream* stream) {
    ULARGE_INTEGER end = {};
    Check(stream->Seek({}, STREAM_SEEK_END, &end), "the PNG stream has no end");
    HGLOBAL memory = nullptr;
    Check(GetHGlobalFromStream(stream, &memory), "the PNG stream has no memory");
    const auto* data = static_cast<const uint8_t*>(GlobalLock(memory));
    std::vector<uint8_t> bytes(data, data + end.QuadPart);
    GlobalUnlock(memory);
    return bytes;
}

std::vector<uint8_t> EncodePng(const RgbImage& image) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()), "no memory for the PNG");
    ComPtr<IWICBitmapEncoder> encoder;
    Check(Factory(factory)->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out()),
          "no PNG encoder");
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache),
          "the PNG encoder did not start");
    EncodeFrame(encoder.Get(), image);
    Check(encoder->Commit(), "the PNG could not be finished");
    return StreamBytes(stream.Get());
}

RgbImage DecodeOpaque(IWICImagingFactory* factory, std::vector<uint8_t>& bytes) {
    ComPtr<IWICStream> stream;
    Check(factory->CreateStream(stream.Out()), "no stream");
    Check(stream->InitializeFromMemory(bytes.data(), static_cast<DWORD>(bytes.size())),
          "no stream over the file");
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                           decoder.Out()),
          "not an image");
    Check(decoder->GetFrame(0, frame.Out()), "no picture in the image");
    Check(factory->CreateFormatConverter(converter.Out()), "no format converter");
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom),
          "the picture cannot be converted");
    UINT width = 0, height = 0;
    Check(converter->GetSize(&width, &height), "the picture has no size");
    RgbImage image(static_cast<int>(width), static_cast<int>(height));
    Check(converter->CopyPixels(nullptr, 4 * width, static_cast<UINT>(4 * image.pixels.size()),
                                reinterpret_cast<BYTE*>(image.pixels.data())),
          "the pixels could not be read");
    for (uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFF;
    return image;
}

}  // namespace

void WritePng(const std::filesystem::path& path, const RgbImage& image) {
    WriteFileAtomically(path, EncodePng(image));
}

RgbImage ReadPng(const std::filesystem::path& path) {
    std::vector<uint8_t> bytes = ReadWholeFile(path);
    ComPtr<IWICImagingFactory> factory;
    try {
        return DecodeOpaque(Factory(factory).Get(), bytes);
    } catch (const PngError& error) {
        throw PngError(path.string() + ": " + error.what());
    }
}
