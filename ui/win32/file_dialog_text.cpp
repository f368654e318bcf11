#include "ui/win32/file_dialog_text.hpp"

#include <string>

namespace fragtide::ui::win32 {

std::vector<std::filesystem::path> multiSelectPaths(std::wstring_view buffer) {
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    while (start < buffer.size() && buffer[start] != L'\0') {
        std::size_t end = buffer.find(L'\0', start);
        if (end == std::wstring_view::npos)
            end = buffer.size();  // no closing NUL: the buffer's end closes the last part
        parts.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::filesystem::path> paths;
    if (parts.size() == 1) {
        paths.emplace_back(std::wstring(parts.front()));
        return paths;
    }
    for (std::size_t i = 1; i < parts.size(); ++i)
        paths.push_back(std::filesystem::path(std::wstring(parts.front())) / std::wstring(parts[i]));
    return paths;
}

}  // namespace fragtide::ui::win32
