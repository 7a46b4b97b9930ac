#include <gtest/gtest.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "dialvane_version.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/picture_library.h"
#include "platform/win32/resource_ids.h"
#include "tests/win32/com_apartment.h"
#include "tests/win32/program_module.h"

namespace dialvane {
namespace {

class ProgramPictures : public ::testing::Test {
protected:
    testing::ProgramModule program;
};

TEST_F(ProgramPictures, EveryPictureDecodesToItsSize) {
    ASSERT_NE(program.get(), nullptr) << "Dialvane.exe not found beside the tests";
    win32::PictureLibrary pictures(program.get());
    const struct {
        PictureId picture;
        PixelSize size;
    } cases[] = {
        {PictureId::DialFace, {148, 149}}, {PictureId::OptionsBackground, {618, 554}},
        {PictureId::Hub, {16, 16}},        {PictureId::DotRing, {14, 14}},
        {PictureId::DotFilled, {14, 14}},  {PictureId::ExitCross, {40, 41}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pictures.size(c.picture), c.size) << static_cast<int>(c.picture);
        EXPECT_NE(pictures.bitmap(c.picture), nullptr) << static_cast<int>(c.picture);
    }
    EXPECT_EQ(pictures.size(PictureId::None), PixelSize{});
}

TEST_F(ProgramPictures, GifTransparencyAndJpegOpacitySurviveDecoding) {
    win32::PictureLibrary pictures(program.get());
    const Pixels& cross = pictures.pixels(PictureId::ExitCross);
    ASSERT_EQ(cross.width, 40);
    EXPECT_EQ(cross.at(0, 0) >> 24, 0U) << "corner of the cross shows what lies beneath";
    const std::uint32_t middle = cross.at(20, 20);
    EXPECT_EQ(middle >> 24, 255U);
    EXPECT_GT(middle >> 16 & 0xFF, 180U) << "the cross is red";
    EXPECT_LT(middle & 0xFF, 80U);

    const Pixels& hub = pictures.pixels(PictureId::Hub);
    EXPECT_EQ(hub.at(0, 0) >> 24, 0U);
    EXPECT_EQ(hub.at(8, 8) >> 24, 255U);

    const Pixels& dial = pictures.pixels(PictureId::DialFace);
    for (const std::uint32_t pixel : dial.data) {
        ASSERT_EQ(pixel >> 24, 255U) << "a JPEG is opaque";
    }
}

// The picture resource decoded by the system's imaging component, as premultiplied BGRA.
Pixels decodedBySystem(HINSTANCE module, int resource) {
    using win32::com_ptr;
    com_ptr<IWICImagingFactory> factory;
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));
    if (found == nullptr || FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                                      CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                                      reinterpret_cast<void**>(factory.put())))) {
        return {};
    }
    auto* bytes = static_cast<BYTE*>(::LockResource(::LoadResource(module, found)));
    com_ptr<IWICStream> stream;
    com_ptr<IWICBitmapDecoder> decoder;
    com_ptr<IWICBitmapFrameDecode> frame;
    com_ptr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(bytes, ::SizeofResource(module, found))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                                decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(factory->CreateFormatConverter(converter.put())) ||
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

// The built-in decoder must show the pictures as Windows would.
TEST_F(ProgramPictures, LookAsTheSystemImagingComponentDecodesThem) {
    const testing::ComApartment com;
    win32::PictureLibrary pictures(program.get());
    const struct {
        PictureId picture;
        int resource;
    } cases[] = {
        {PictureId::DialFace, win32::dialFaceResource},
        {PictureId::OptionsBackground, win32::optionsBackgroundResource},
        {PictureId::Hub, win32::hubResource},
        {PictureId::DotRing, win32::dotRingResource},
        {PictureId::DotFilled, win32::dotFilledResource},
        {PictureId::ExitCross, win32::exitCrossResource},
    };
    for (const auto& c : cases) {
        const Pixels system = decodedBySystem(program.get(), c.resource);
        const Pixels ours = pictures.pixels(c.picture);
        ASSERT_GT(system.width, 0) << c.resource;
        ASSERT_EQ(ours.width, system.width) << c.resource;
        ASSERT_EQ(ours.height, system.height) << c.resource;
        int largest = 0;
        for (std::size_t i = 0; i < ours.data.size(); ++i) {
            for (const int shift : {0, 8, 16, 24}) {
                largest =
                    std::max(largest, std::abs(static_cast<int>(ours.data[i] >> shift & 0xFF) -
                                               static_cast<int>(system.data[i] >> shift & 0xFF)));
            }
        }
        // stb_image rounds the inverse DCT and the colour conversion a level or two apart from
        // libjpeg, which the system's decoder uses; nothing more.
        EXPECT_LE(largest, 2) << "resource " << c.resource;
    }
}

TEST_F(ProgramPictures, IconAndPointingHandLoad) {
    win32::PictureLibrary pictures(program.get());
    HICON icon = pictures.icon(71);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP mask{};
    ::GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 71);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);

    HCURSOR hand = pictures.cursor(PointerId::Hand);
    ASSERT_NE(hand, nullptr);
    ICONINFO cursor{};
    ASSERT_TRUE(::GetIconInfo(hand, &cursor));
    EXPECT_FALSE(cursor.fIcon);
    EXPECT_EQ(cursor.xHotspot, 0U);
    EXPECT_EQ(cursor.yHotspot, 0U);
    EXPECT_NE(hand, ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)))
        << "our own hand, not the system's";
    ::DeleteObject(cursor.hbmMask);
    if (cursor.hbmColor != nullptr) {
        ::DeleteObject(cursor.hbmColor);
    }

    // On a monitor of another scale the hand is made at that size from the cursor itself.
    ICONINFO scaled{};
    ASSERT_TRUE(::GetIconInfo(pictures.cursor(PointerId::Hand, 48), &scaled));
    BITMAP bits{};
    ::GetObjectW(scaled.hbmMask, sizeof bits, &bits);
    EXPECT_EQ(bits.bmWidth, 48);
    ::DeleteObject(scaled.hbmMask);
    EXPECT_EQ(pictures.cursor(PointerId::Hand, ::GetSystemMetrics(SM_CXCURSOR)), hand);
}

// Version information: what Explorer shows for the file.
std::wstring versionText(const std::vector<BYTE>& block, const wchar_t* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT size = 0;
    if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                          reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    wchar_t path[96];
    ::swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
               translation->codePage, name);
    wchar_t* text = nullptr;
    if (!::VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&text), &size)) {
        return {};
    }
    return text;
}

// Dialvane.exe beside the tests.
std::wstring programPath() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"Dialvane.exe";
}

TEST(ProgramFile, CarriesItsVersionInformation) {
    const std::wstring path = programPath();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0U);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    EXPECT_EQ(versionText(block, L"ProductName"), L"Dialvane");
    EXPECT_EQ(versionText(block, L"ProductVersion"), L"" DIALVANE_VERSION_TEXT);
    EXPECT_EQ(versionText(block, L"FileVersion"), L"" DIALVANE_VERSION_TEXT);
    // The publisher that the installer and the manifests name too.
    EXPECT_EQ(versionText(block, L"CompanyName"), L"" DIALVANE_PUBLISHER);
    EXPECT_FALSE(versionText(block, L"FileDescription").empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), DIALVANE_VERSION_MAJOR);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), DIALVANE_VERSION_MINOR);
    EXPECT_EQ(HIWORD(fixed->dwProductVersionLS), DIALVANE_VERSION_PATCH);
}

// Windows reads from the manifest that the program draws itself for each monitor's scale (the
// second version of that where there is one), and older systems the setting they know.
TEST(ProgramFile, DeclaresItselfAwareOfEachMonitorsScale) {
    const std::wstring path = programPath();
    ACTCTXW description{};
    description.cbSize = sizeof description;
    description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.lpSource = path.c_str();
    description.lpResourceName = MAKEINTRESOURCEW(1);
    HANDLE context = ::CreateActCtxW(&description);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << ::GetLastError();
    wchar_t value[64]{};
    EXPECT_TRUE(::QueryActCtxSettingsW(0, context,
                                       L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                       L"dpiAwareness", value, 64, nullptr));
    EXPECT_STREQ(value, L"PerMonitorV2, PerMonitor");
    EXPECT_TRUE(::QueryActCtxSettingsW(0, context,
                                       L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                                       L"dpiAware", value, 64, nullptr));
    EXPECT_STREQ(value, L"true/pm");
    ::ReleaseActCtx(context);
}

}  // namespace
}  // namespace dialvane
