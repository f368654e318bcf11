#include "ui/win32/file_dialogs.hpp"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "ui/win32/file_dialog_text.hpp"
#include "ui/win32/win32_text.hpp"

namespace fragtide::ui::win32 {
namespace {

// "label\0pattern\0" per filter, and the list's own closing NUL.
template <typename Filter>
std::wstring filterList(const std::vector<Filter>& filters) {
    std::wstring list;
    for (const Filter& entry : filters) {
        list += toWide(entry.description);
        list += L'\0';
        list += toWide(entry.patterns);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

// What both dialogs are given; the strings must outlive the dialog's run.
struct DialogTexts {
    std::wstring filter;
    std::wstring title;
    std::wstring folder;
    std::wstring suffix;

    template <typename Request>
    explicit DialogTexts(const Request& request)
        : filter(filterList(request.filters)),
          title(toWide(request.title)),
          folder(request.initialFolder.wstring()),
          suffix(toWide(request.defaultSuffix)) {}

    // The first filter selected; a name typed without an extension gets the selected filter's.
    OPENFILENAMEW dialog(HWND owner, std::wstring& file) const {
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = filter.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        dialog.lpstrTitle = title.c_str();
        dialog.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
        return dialog;
    }
};

}  // namespace

std::vector<std::filesystem::path> openLogFiles(HWND owner, const OpenFileRequest& request) {
    const DialogTexts texts(request);
    // Room for a season of names; the dialog fails (FNERR_BUFFERTOOSMALL) rather than cut a list.
    std::wstring file(request.allowMultiple ? 1 << 20 : 32768, L'\0');
    OPENFILENAMEW dialog = texts.dialog(owner, file);
    dialog.Flags = (request.fileMustExist ? OFN_FILEMUSTEXIST : 0) | (request.pathMustExist ? OFN_PATHMUSTEXIST : 0) |
                   (request.hideReadOnly ? OFN_HIDEREADONLY : 0) |
                   (request.allowMultiple ? OFN_ALLOWMULTISELECT | OFN_EXPLORER : 0);
    if (!GetOpenFileNameW(&dialog))
        return {};  // cancelled
    return multiSelectPaths(file);
}

std::optional<ChosenExportFile> saveExportFile(HWND owner, const ExportFileRequest& request) {
    const DialogTexts texts(request);
    std::wstring file(32768, L'\0');
    const std::wstring name = request.defaultName.wstring();
    std::copy_n(name.begin(), std::min(name.size(), file.size() - 1), file.begin());
    OPENFILENAMEW dialog = texts.dialog(owner, file);
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN |
                   (request.overwritePrompt ? OFN_OVERWRITEPROMPT : 0);
    if (!GetSaveFileNameW(&dialog))
        return std::nullopt;  // cancelled
    file.resize(wcslen(file.c_str()));
    return ChosenExportFile{std::filesystem::path(file), dialog.nFilterIndex > 0 ? static_cast<int>(dialog.nFilterIndex) - 1 : 0};
}

std::optional<std::filesystem::path> seasonFile(HWND owner, const SeasonFileRequest& request) {
    const DialogTexts texts(request);
    std::wstring file(32768, L'\0');
    OPENFILENAMEW dialog = texts.dialog(owner, file);
    // An existing season is opened, never replaced: nothing to confirm.
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | (request.create ? 0 : OFN_FILEMUSTEXIST);
    if (!(request.create ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)))
        return std::nullopt;  // cancelled
    file.resize(wcslen(file.c_str()));
    return std::filesystem::path(file);
}

}  // namespace fragtide::ui::win32
