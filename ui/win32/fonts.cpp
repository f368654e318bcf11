#include "ui/win32/fonts.hpp"

#include <cmath>
#include <cwchar>
#include <initializer_list>

namespace fragtide::ui::win32 {
namespace {

}  // namespace

HFONT makeFont(const wchar_t* face, double points, int dpi, bool bold, bool italic) {
    const int height = -static_cast<int>(std::lround(points * dpi / 72.0));
    // GDI's font mapper picks the closest installed face when this one is missing.
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, VARIABLE_PITCH | FF_SWISS, face);
}

namespace {

int CALLBACK noteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, noteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

// Impact, italic; without it a heavy stand-in, bold, so that the title still looks like one.
HFONT makeTitleFont(int dpi) {
    for (const wchar_t* face : {L"Impact", L"Haettenschweiler", L"Arial Black"}) {
        if (faceInstalled(face))
            return makeFont(face, 20.25, dpi, false, true);
    }
    return makeFont(L"Arial", 20.25, dpi, true, true);
}

int textWidth(HWND window, HFONT font, const std::wstring& text) {
    const HDC dc = GetDC(window);
    if (!dc)
        return 0;
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

}  // namespace fragtide::ui::win32
