#include "platform/win32/picture_library.h"

#include <wincodec.h>

#include <cstring>

#include "platform/win32/com_ptr.h"
#include "platform/win32/resource_ids.h"

namespace dialvane::win32 {
namespace {

int resourceOf(PictureId picture) {
    switch (picture) {
        case PictureId::DialFace:
            return dialFaceResource;
        case PictureId::OptionsBackground:
            return optionsBackgroundResource;
        case PictureId::Hub:
            return hubResource;
        case PictureId::DotRing:
            return dotRingResource;
        case PictureId::DotFilled:
            return dotFilledResource;
        case PictureId::ExitCross:
            return exitCrossResource;
        case PictureId::None:
            break;
    }
    return 0;
}

// Decodes a GIF or JPEG held as raw resource data; transparent colours become alpha 0.
Pixels decode(IWICImagingFactory& factory, HINSTANCE instance, int resource) {
    HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = ::LoadResource(instance, found);
    const DWORD size = ::SizeofResource(instance, found);
    auto* bytes = static_cast<BYTE*>(::LockResource(loaded));
    if (bytes == nullptr || size == 0) {
        return {};
    }
    com_ptr<IWICStream> stream;
    com_ptr<IWICBitmapDecoder> decoder;
    com_ptr<IWICBitmapFrameDecode> frame;
    com_ptr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(factory.CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(bytes, size)) ||
        FAILED(factory.CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                               decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(factory.CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height))) {
        return {};
    }
    Pixels pixels{static_cast<int>(width), static_cast<int>(height),
                  std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    if (FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                     reinterpret_cast<BYTE*>(pixels.data.data())))) {
        return {};
    }
    return pixels;
}

}  // namespace

unique_bitmap bitmapOf(const Pixels& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    unique_bitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits != nullptr) {
        std::memcpy(bits, pixels.data.data(), pixels.data.size() * sizeof(std::uint32_t));
    }
    return bitmap;
}

PictureLibrary::PictureLibrary(HINSTANCE instance)
    : instance_(instance), hand_(::LoadCursorW(instance, MAKEINTRESOURCEW(handCursorResource))) {
    if (hand_ == nullptr) {
        hand_ = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // the system's hand
    }
    com_ptr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(factory.put())))) {
        return;
    }
    for (const PictureId picture :
         {PictureId::DialFace, PictureId::OptionsBackground, PictureId::Hub, PictureId::DotRing,
          PictureId::DotFilled, PictureId::ExitCross}) {
        Entry entry{decode(*factory.get(), instance_, resourceOf(picture)), {}};
        entry.bitmap = bitmapOf(entry.pixels);
        entries_.emplace(picture, std::move(entry));
    }
}

PixelSize PictureLibrary::size(PictureId picture) const {
    const Pixels& decoded = pixels(picture);
    return {decoded.width, decoded.height};
}

const Pixels& PictureLibrary::pixels(PictureId picture) const {
    static const Pixels none;
    const auto found = entries_.find(picture);
    return found == entries_.end() ? none : found->second.pixels;
}

HBITMAP PictureLibrary::bitmap(PictureId picture) const {
    const auto found = entries_.find(picture);
    return found == entries_.end() ? nullptr : found->second.bitmap.get();
}

HCURSOR PictureLibrary::cursor(PointerId pointer) const {
    return pointer == PointerId::Hand ? hand_ : ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
}

HICON PictureLibrary::icon(int size) const {
    return static_cast<HICON>(
        ::LoadImageW(instance_, MAKEINTRESOURCEW(iconResource), IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace dialvane::win32
