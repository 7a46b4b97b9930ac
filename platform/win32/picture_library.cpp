#include "platform/win32/picture_library.h"

#include <cstring>

#include "framework/picture_decoding.h"
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

// The raw bytes of a picture resource; they stay mapped as long as the module is loaded.
std::span<const std::uint8_t> resourceBytes(HINSTANCE instance, int resource) {
    HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));
    if (found == nullptr) {
        return {};
    }
    const auto* bytes =
        static_cast<const std::uint8_t*>(::LockResource(::LoadResource(instance, found)));
    const DWORD size = ::SizeofResource(instance, found);
    if (bytes == nullptr) {
        return {};
    }
    return {bytes, size};
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
        hand_ = ::LoadCursorW(nullptr, IDC_HAND);
    }
    for (const PictureId picture :
         {PictureId::DialFace, PictureId::OptionsBackground, PictureId::Hub, PictureId::DotRing,
          PictureId::DotFilled, PictureId::ExitCross}) {
        Entry entry;
        entry.file = resourceBytes(instance_, resourceOf(picture));
        entry.size = pictureSize(entry.file);
        entries_.emplace(picture, std::move(entry));
    }
}

PictureLibrary::Entry* PictureLibrary::decoded(PictureId picture) {
    const auto found = entries_.find(picture);
    if (found == entries_.end()) {
        return nullptr;
    }
    Entry& entry = found->second;
    if (!entry.decoded) {
        entry.decoded = true;
        entry.pixels = decodePicture(entry.file);
        entry.bitmap = bitmapOf(entry.pixels);
    }
    return &entry;
}

void PictureLibrary::forget(PictureId picture) {
    const auto found = entries_.find(picture);
    if (found != entries_.end()) {
        Entry& entry = found->second;
        entry.decoded = false;
        entry.pixels = Pixels{};
        entry.bitmap.reset();
        entry.scaledSize = PixelSize{};
        entry.scaled.reset();
    }
}

PixelSize PictureLibrary::size(PictureId picture) const {
    const auto found = entries_.find(picture);
    return found == entries_.end() ? PixelSize{} : found->second.size;
}

const Pixels& PictureLibrary::pixels(PictureId picture) {
    static const Pixels none;
    const Entry* entry = decoded(picture);
    return entry == nullptr ? none : entry->pixels;
}

HBITMAP PictureLibrary::bitmap(PictureId picture) {
    const Entry* entry = decoded(picture);
    return entry == nullptr ? nullptr : entry->bitmap.get();
}

HBITMAP PictureLibrary::bitmap(PictureId picture, PixelSize size) {
    Entry* entry = decoded(picture);
    if (entry == nullptr || size == entry->size) {
        return entry == nullptr ? nullptr : entry->bitmap.get();
    }
    if (!entry->scaled || entry->scaledSize != size) {
        entry->scaled = bitmapOf(resample(entry->pixels, size.width, size.height));
        entry->scaledSize = size;
    }
    return entry->scaled.get();
}

HCURSOR PictureLibrary::cursor(PointerId pointer, int size) {
    if (pointer != PointerId::Hand) {
        return ::LoadCursorW(nullptr, IDC_ARROW);
    }
    if (size <= 0 || size == ::GetSystemMetrics(SM_CXCURSOR)) {
        return hand_;
    }
    auto& made = hands_[size];
    if (!made) {
        made.reset(static_cast<HCURSOR>(::LoadImageW(
            instance_, MAKEINTRESOURCEW(handCursorResource), IMAGE_CURSOR, size, size, 0)));
    }
    return made ? made.get() : hand_;
}

HICON PictureLibrary::icon(int size) const {
    return static_cast<HICON>(
        ::LoadImageW(instance_, MAKEINTRESOURCEW(iconResource), IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace dialvane::win32
