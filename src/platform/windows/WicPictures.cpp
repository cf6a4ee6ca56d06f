#include "WicPictures.h"

#include "EmbeddedAssets.h"

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <stdexcept>

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (p_)
            p_->Release();
    }
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }

private:
    T* p_ = nullptr;
};

// COM started on this thread for as long as the object lives.
struct ComStart {
    ComStart() : Started(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {}
    ComStart(const ComStart&) = delete;
    ComStart& operator=(const ComStart&) = delete;
    ~ComStart()
    {
        if (Started)
            CoUninitialize();
    }
    bool Started;
};

// One imaging factory per thread; members end in reverse order, so the factory is
// released before COM stops.
IWICImagingFactory* Factory()
{
    struct ThreadFactory {
        ThreadFactory()
        {
            CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.Out()));
        }
        ComStart com;
        ComRef<IWICImagingFactory> factory;
    };
    thread_local ThreadFactory perThread;
    return perThread.factory.Get();
}

std::optional<Surface> DecodeFrom(IWICImagingFactory* factory, IWICBitmapDecoder* decoder)
{
    ComRef<IWICBitmapFrameDecode> frame;
    ComRef<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)))
        return std::nullopt;
    // Larger pictures would exhaust memory rather than show.
    if (width == 0 || height == 0 || width > 32767 || height > 32767 ||
        static_cast<uint64_t>(width) * height > 64ull * 1024 * 1024)
        return std::nullopt;
    // Premultiplied BGRA in memory is the surface's premultiplied ARGB word.
    Surface surface(static_cast<int>(width), static_cast<int>(height));
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(surface.Row(0)))))
        return std::nullopt;
    return surface;
}

}  // namespace

std::optional<Surface> DecodePicture(std::span<const unsigned char> bytes)
{
    IWICImagingFactory* factory = Factory();
    if (!factory || bytes.empty())
        return std::nullopt;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())))
        return std::nullopt;
    return DecodeFrom(factory, decoder.Get());
}

std::optional<Surface> ReadPictureFile(const std::wstring& path)
{
    IWICImagingFactory* factory = Factory();
    ComRef<IWICBitmapDecoder> decoder;
    if (!factory || FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                              WICDecodeMetadataCacheOnDemand, decoder.Out())))
        return std::nullopt;
    return DecodeFrom(factory, decoder.Get());
}

Surface ReadEmbeddedPicture(const std::string& name)
{
    std::optional<Surface> picture = DecodePicture(EmbeddedAsset(name));
    if (!picture)
        throw std::runtime_error("cannot read the picture " + name);
    return std::move(*picture);
}

std::array<Surface, HeadingCount> ReadHeadingPictures(int kind)
{
    std::array<Surface, HeadingCount> pictures;
    for (int d = 0; d < HeadingCount; ++d)
        pictures[static_cast<size_t>(d)] =
            ReadEmbeddedPicture("sprites/kind" + std::to_string(kind) + "_" + std::to_string(d) + ".png");
    return pictures;
}

std::array<Surface, SmokePictureCount> ReadSmokePictures()
{
    std::array<Surface, SmokePictureCount> pictures;
    for (int k = 0; k < SmokePictureCount; ++k)
        pictures[static_cast<size_t>(k)] = ReadEmbeddedPicture("smoke/smoke" + std::to_string(k) + ".png");
    return pictures;
}
