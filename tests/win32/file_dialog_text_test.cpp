// The open-file dialog's multiple-selection answer read into paths.
#include <gtest/gtest.h>

#include <string>

#include "ui/win32/file_dialog_text.hpp"

using fragtide::ui::win32::multiSelectPaths;
namespace fs = std::filesystem;

TEST(FileDialogText, ReadsOnePathOrAFolderFollowedByNames) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::wstring buffer;
        std::vector<fs::path> paths;
    };
    const fs::path folder(L"C:\\Logs");
    const Case cases[] = {
        {"one file: its full path", L"C:\\Logs\\a.log\0\0\0\0"s, {fs::path(L"C:\\Logs\\a.log")}},
        {"two files: folder then names", L"C:\\Logs\0a.log\0b c.log\0\0"s, {folder / L"a.log", folder / L"b c.log"}},
        {"the rest of the buffer is ignored", L"C:\\Logs\0a.log\0b.log\0\0stale\0"s, {folder / L"a.log", folder / L"b.log"}},
        {"no closing NUL", L"C:\\Logs\0a.log\0b.log"s, {folder / L"a.log", folder / L"b.log"}},
        {"nothing", L"\0\0"s, {}},
        {"empty", L""s, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(multiSelectPaths(c.buffer), c.paths);
    }
}
