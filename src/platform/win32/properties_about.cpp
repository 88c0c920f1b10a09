// The About page of the properties dialog: the icon, the turned program
// caption, the maker's logo with its hint and the three links; the logo is
// also the zoom preview's sample picture.
#include "platform/win32/effects_label.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/maker_block.h"
#include "platform/win32/properties_dialog.h"
#include "platform/win32/properties_pages.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/version_block.h"

namespace pixolet::win32 {

namespace {

// The logo bitmap's pixels, as the zoom preview samples them.
PixelBuffer PixelsOf(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return PixelBuffer();
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bits(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
    WindowDc screen(nullptr);
    if (!screen ||
        !GetDIBits(screen.get(), bitmap, 0, info.bmHeight, bits.data(), &header, DIB_RGB_COLORS))
        return PixelBuffer();
    PixelBuffer pixels(info.bmWidth, info.bmHeight, kWhite);
    for (int y = 0; y < info.bmHeight; ++y)
        for (int x = 0; x < info.bmWidth; ++x) {
            const DWORD p = bits[static_cast<std::size_t>(y) * info.bmWidth + x];
            pixels.Set(x, y,
                       MakeColour(static_cast<std::uint8_t>(p >> 16),
                                  static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)));
        }
    return pixels;
}

}  // namespace

void Win32PropertiesDialog::BuildAbout(HWND page) {
    auto image = [&](DWORD kind, int id, const Bounds& b) {
        return CreateImage(page, instance_, kind, b.Rect(), id);
    };
    icon_.Reset(static_cast<HICON>(
        LoadImageA(instance_, MAKEINTRESOURCEA(IDI_PIXOLET), IMAGE_ICON, 32, 32, 0)));
    HWND icon = image(SS_ICON, kIdIcon, {14, 12, 41, 37});
    if (icon && icon_) {
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
        // The icon control shrinks to its picture: back to its box.
        SetWindowPos(icon, nullptr, 0, 0, 41, 37, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    CreateProgramCaption(page, "Pixolet 2.1");

    logoBitmap_.Reset(static_cast<HBITMAP>(
        LoadImageA(instance_, MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, 0)));
    logo_ = image(SS_BITMAP | SS_CENTERIMAGE, kIdLogo, {128, 10, 139, 48});
    if (logo_ && logoBitmap_)
        SendMessageA(logo_, STM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(logoBitmap_.get()));

    CreateMakerLinks(page, 126, std::string(kPartnerMailAddress));
    tooltip_ = CreateHintTooltip(instance_, window_, logo_, hint_);
}

void Win32PropertiesDialog::SetLogoHint(const std::string& hint) {
    hint_ = hint;
    SetHintText(tooltip_, logo_, hint_);
}

const PixelBuffer& Win32PropertiesDialog::LogoBitmap() {
    if (!logoPixels_) logoPixels_ = PixelsOf(logoBitmap_.get());
    return *logoPixels_;
}

std::optional<std::string> Win32PropertiesDialog::ReadVersionBlock() {
    return ReadOwnVersionBlock();
}

}  // namespace pixolet::win32
