#include "ui/win32/win32_text.hpp"

#include <windows.h>

namespace fragtide::ui::win32 {

std::wstring toWide(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

std::string toUtf8(std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr,
                        nullptr);
    return utf8;
}

std::wstring menuCaption(std::wstring_view caption) {
    std::wstring text(caption);
    const std::size_t first = text.find(L'&');
    if (first == std::wstring::npos)
        return text;
    for (std::size_t i = text.find(L'&', first + 1); i != std::wstring::npos; i = text.find(L'&', i))
        text.erase(i, 1);
    return text;
}

}  // namespace fragtide::ui::win32
