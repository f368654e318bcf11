// fragtide-probe: reads the running Win32 window back for the tests under Wine, as a user would
// see it. Prints UTF-8 lines on stdout; exits 1 when what it waits for does not appear in time.
//   fragtide-probe main SECONDS        the main window: "title: ...", "file: ..." (txtFile), "lst: ..."
//                                      lines, "players: ..."
//   fragtide-probe gameselect SECONDS [BMP]
//                                      opens File, Game Select; "dialog: ...", "frame: LEFT TOP",
//                                      "selected: ...", "description: ..."; with BMP, also writes a picture of the
//                                      dialog alone, frame included, into that file
//   fragtide-probe whokilledwhom SECONDS  opens View, Who Killed Whom; "wkw: TITLE", "over main: yes"
//                                      when it opened over the main window, "size: ROWS COLUMNS"
//                                      of the counts list, "names: ROWS" of the frozen names list, then
//                                      presses Copy: "copy: ..." per clipboard line
//   fragtide-probe wkw-scroll SECONDS WIDTH HEIGHT [BMP TIP_BMP [POINTER_X]]
//                                      sizes the who-killed-whom window at the desktop's corner, scrolls the counts a page right and
//                                      presses End in them: "tops: COUNTS NAMES" (each list's top row),
//                                      "selected: COUNTS NAMES"; then presses Home there and turns the wheel
//                                      down over the names:
//                                      "wheel tops: COUNTS NAMES"; then rests the mouse on the counts'
//                                      headings: "tip: ..." (the tip shown), and leaves it there; with
//                                      BMP and TIP_BMP, writes pictures of the window and of the tip and
//                                      says where they are: "frame: LEFT TOP", "tip frame: LEFT TOP";
//                                      POINTER_X puts the mouse that far right of the counts' left edge
//   fragtide-probe export SECONDS FILE opens File, Export Report...; "export: TITLE", "name: NAME" (the
//                                      name offered), then saves as FILE, waits for it to exist and
//                                      for the box that tells it: "told: ..." (its text), then OK
//   fragtide-probe browse SECONDS FOLDER NAME...
//                                      presses Browse, chooses the NAMEs in FOLDER together in the
//                                      open dialog, waits for it to close; "file: ..." (txtFile)
//   fragtide-probe post SECONDS ID     posts the menu or button command ID to the main window
//   fragtide-probe resize SECONDS WIDTH HEIGHT
//                                      moves the main window to the desktop's corner and sizes its
//                                      frame as a user's drag would
//   fragtide-probe close-wkw           closes the who-killed-whom window
//   fragtide-probe close               closes the dialog, if open, and the main window
// With FRAGTIDE_PROBE_DESKTOP set, it looks on that Wine virtual desktop: windows of another
// desktop are invisible to FindWindow.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "ui/win32/resource.h"

namespace {

void printLine(const char* label, const std::wstring& text) {
    std::string utf8(static_cast<std::size_t>(text.size() * 4 + 1), '\0');
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(size));
    std::printf("%s: %s\n", label, utf8.c_str());
    std::fflush(stdout);
}

std::wstring textOf(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

// A control's text: GetWindowText gives another process's control only its creation text, so
// the control is asked itself.
std::wstring controlText(HWND control) {
    wchar_t buffer[1024] = {};
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::wstring listItem(HWND list, int index, UINT lengthMessage, UINT textMessage) {
    const auto length = SendMessageW(list, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The window once it is visible, or null after `seconds`.
HWND waitFor(const wchar_t* windowClass, const wchar_t* title, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        HWND window = FindWindowW(windowClass, title);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(100);
    }
    return nullptr;
}

// The window, frame included, copied from its own device context into a 24-bit BMP. A picture of
// the whole X screen under Wine's virtual desktop leaves dialogs out; this one does not.
// (PrintWindow would not do: it asks the window's process to paint into a device context of ours,
// which under Wine is valid in this process only, and gives a black picture.)
bool writePicture(HWND window, const wchar_t* path) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!memory || !bitmap) {
        if (memory)
            DeleteDC(memory);
        return false;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    HDC windowDc = GetWindowDC(window);
    const BOOL copied = windowDc && BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    if (windowDc)
        ReleaseDC(window, windowDc);
    GdiFlush();
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof(header) + sizeof(info.bmiHeader);
    header.bfSize = header.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;
    bool written = false;
    if (copied) {
        if (FILE* file = _wfopen(path, L"wb")) {
            written = std::fwrite(&header, sizeof(header), 1, file) == 1 &&
                      std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, file) == 1 &&
                      std::fwrite(bits, imageSize, 1, file) == 1;
            written = std::fclose(file) == 0 && written;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return written;
}

HWND namesOf(HWND whoKilledWhom) {
    return GetDlgItem(GetDlgItem(whoKilledWhom, IDC_WKW_NAMES_PANE), IDC_WKW_NAMES);
}

// The tip now showing in this desktop, if any.
HWND shownTip() {
    for (HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); tip;
         tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) {
        if (IsWindowVisible(tip))
            return tip;
    }
    return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring command = argv[1];
    const int seconds = argc > 2 ? _wtoi(argv[2]) : 30;
    if (const wchar_t* desktopName = _wgetenv(L"FRAGTIDE_PROBE_DESKTOP")) {
        // The desktop exists once Wine's explorer has started on it.
        HDESK desktop = nullptr;
        for (int i = 0; i < seconds * 10 && !desktop; ++i) {
            desktop = OpenDesktopW(desktopName, 0, FALSE, GENERIC_ALL);
            if (!desktop)
                Sleep(100);
        }
        if (!desktop || !SetThreadDesktop(desktop)) {
            std::fprintf(stderr, "fragtide-probe: cannot reach the desktop\n");
            return 1;
        }
    }
    HWND main = waitFor(FRAGTIDE_MAIN_CLASS, nullptr, command == L"close" ? 1 : seconds);
    if (!main) {
        std::fprintf(stderr, "fragtide-probe: no main window\n");
        return 1;
    }
    if (command == L"main") {
        printLine("title", textOf(main));
        printLine("file", controlText(GetDlgItem(main, IDC_TXTFILE)));
        HWND lst = GetDlgItem(main, IDC_LST);
        const auto count = SendMessageW(lst, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i)
            printLine("lst", listItem(lst, i, LB_GETTEXTLEN, LB_GETTEXT));
        printLine("players", textOf(GetDlgItem(main, IDC_LBL2)));
        return 0;
    }
    if (command == L"gameselect") {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_GAMESEL, 0), 0);
        HWND dialog = waitFor(L"#32770", L"Game Select", seconds);
        if (!dialog) {
            std::fprintf(stderr, "fragtide-probe: no Game Select dialog\n");
            return 1;
        }
        printLine("dialog", textOf(dialog));
        RECT frame{};
        GetWindowRect(dialog, &frame);
        std::printf("frame: %ld %ld\n", frame.left, frame.top);

        HWND games = GetDlgItem(dialog, IDC_GS_GAMES);
        const auto selected = SendMessageW(games, CB_GETCURSEL, 0, 0);
        printLine("selected", selected < 0 ? std::wstring() : listItem(games, static_cast<int>(selected),
                                                                        CB_GETLBTEXTLEN, CB_GETLBTEXT));
        printLine("description", controlText(GetDlgItem(dialog, IDC_GS_DESC)));
        // Painted now, not at the X driver's next flush, for a screenshot taken right after.
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (argc > 3 && !writePicture(dialog, argv[3])) {
            std::fprintf(stderr, "fragtide-probe: cannot draw the dialog into the picture\n");
            return 1;
        }
        return 0;
    }
    if (command == L"whokilledwhom") {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_WHOKILLEDWHOM, 0), 0);
        HWND window = waitFor(FRAGTIDE_WKW_CLASS, nullptr, seconds);
        if (!window) {
            std::fprintf(stderr, "fragtide-probe: no who-killed-whom window\n");
            return 1;
        }
        printLine("wkw", textOf(window));
        // It opens over the main window: its centre lies inside the main window's frame.
        RECT frame{}, owner{};
        GetWindowRect(window, &frame);
        GetWindowRect(main, &owner);
        const POINT centre{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
        std::printf("over main: %s\n", PtInRect(&owner, centre) ? "yes" : "no");
        // Counts only: a list's item texts live in the other process, its clipboard text does not.
        HWND list = GetDlgItem(window, IDC_WKW_LIST);
        std::printf("size: %d %d\n", ListView_GetItemCount(list), Header_GetItemCount(ListView_GetHeader(list)));
        std::printf("names: %d\n", ListView_GetItemCount(namesOf(window)));
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_WKW_COPY, BN_CLICKED), 0);
        if (!OpenClipboard(nullptr))
            return 1;
        std::wstring text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = chars;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find(L"\r\n", start);
            printLine("copy", text.substr(start, end == std::wstring::npos ? end : end - start));
            start = end == std::wstring::npos ? text.size() : end + 2;
        }
        return 0;
    }
    if (command == L"export" && argc > 3) {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDM_EXPORT, 0), 0);
        HWND dialog = waitFor(L"#32770", L"Export Report", seconds);
        if (!dialog) {
            std::fprintf(stderr, "fragtide-probe: no Export Report dialog\n");
            return 1;
        }
        printLine("export", textOf(dialog));
        // The file name box: an edit in the classic layout, a combo box in the newer one.
        HWND name = GetDlgItem(dialog, edt1);
        if (!name)
            name = GetDlgItem(dialog, cmb13);
        if (!name) {
            std::fprintf(stderr, "fragtide-probe: no file name box in the dialog\n");
            return 1;
        }
        printLine("name", controlText(name));
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        bool written = false;
        for (int i = 0; i < seconds * 10 && !written; ++i) {
            written = GetFileAttributesW(argv[3]) != INVALID_FILE_ATTRIBUTES && !IsWindow(dialog);
            if (!written)
                Sleep(100);
        }
        if (!written) {
            std::fprintf(stderr, "fragtide-probe: the export was not written\n");
            return 1;
        }
        // The window then says where the file went, in a box of the dialog's title.
        HWND told = waitFor(L"#32770", L"Export Report", seconds);
        if (!told) {
            std::fprintf(stderr, "fragtide-probe: the export was not told\n");
            return 1;
        }
        printLine("told", controlText(GetDlgItem(told, 0xFFFF)));
        PostMessageW(told, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(told, IDOK)));
        return 0;
    }
    if (command == L"browse" && argc > 4) {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_CMDBROWSE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(main, IDC_CMDBROWSE)));
        HWND dialog = waitFor(L"#32770", nullptr, seconds);
        HWND name = dialog ? GetDlgItem(dialog, edt1) : nullptr;
        if (dialog && !name)
            name = GetDlgItem(dialog, cmb13);
        if (!name) {
            std::fprintf(stderr, "fragtide-probe: no open dialog with a file name box\n");
            return 1;
        }
        const auto ok = [&] {
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        };
        // A folder typed and confirmed is opened; then the names, quoted, are chosen together.
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
        ok();
        Sleep(1000);
        std::wstring names;
        for (int i = 4; i < argc; ++i)
            names += L"\"" + std::wstring(argv[i]) + L"\" ";
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
        ok();
        for (int i = 0; i < seconds * 10 && IsWindow(dialog); ++i)
            Sleep(100);
        if (IsWindow(dialog)) {
            std::fprintf(stderr, "fragtide-probe: the open dialog did not close\n");
            return 1;
        }
        printLine("file", controlText(GetDlgItem(main, IDC_TXTFILE)));
        return 0;
    }
    if (command == L"post" && argc > 3) {  // debugging aid: a menu or button command
        PostMessageW(main, WM_COMMAND, static_cast<WPARAM>(_wtoi(argv[3])), 0);
        return 0;
    }
    if (command == L"resize" && argc > 4) {  // the main window's frame to WIDTH x HEIGHT pixels
        // To the desktop's corner first, so that the whole larger frame stays on screen.
        SetWindowPos(main, nullptr, 0, 0, _wtoi(argv[3]), _wtoi(argv[4]), SWP_NOZORDER);
        return 0;
    }
    if (command == L"wkw-scroll" && argc > 4) {
        HWND window = waitFor(FRAGTIDE_WKW_CLASS, nullptr, seconds);
        if (!window) {
            std::fprintf(stderr, "fragtide-probe: no who-killed-whom window\n");
            return 1;
        }
        // To the desktop's corner, so that the whole frame stays on screen for a picture.
        SetWindowPos(window, nullptr, 0, 0, _wtoi(argv[3]), _wtoi(argv[4]), SWP_NOZORDER);
        HWND counts = GetDlgItem(window, IDC_WKW_LIST);
        HWND names = namesOf(window);
        const auto both = [&](const char* label, UINT message, WPARAM wParam, LPARAM lParam) {
            std::printf("%s: %d %d\n", label, static_cast<int>(SendMessageW(counts, message, wParam, lParam)),
                        static_cast<int>(SendMessageW(names, message, wParam, lParam)));
        };
        SendMessageW(counts, WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), 0);
        SendMessageW(counts, WM_KEYDOWN, VK_END, 0);
        SendMessageW(counts, WM_KEYUP, VK_END, 0);
        both("tops", LVM_GETTOPINDEX, 0, 0);
        both("selected", LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0));
        RECT namesFrame{};
        GetWindowRect(names, &namesFrame);
        SendMessageW(counts, WM_KEYDOWN, VK_HOME, 0);
        SendMessageW(counts, WM_KEYUP, VK_HOME, 0);
        SendMessageW(names, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(namesFrame.left + 5, namesFrame.top + 40));
        both("wheel tops", LVM_GETTOPINDEX, 0, 0);
        // Over the counts' headings, a little right of the names, as a user's pointer at rest.
        RECT headings{};
        GetWindowRect(ListView_GetHeader(counts), &headings);
        RECT countsFrame{};
        GetWindowRect(counts, &countsFrame);
        const POINT rest{countsFrame.left + (argc > 7 ? _wtoi(argv[7]) : 30), (headings.top + headings.bottom) / 2};
        HWND tip = nullptr;
        for (int i = 0; i < seconds * 10 && !tip; ++i) {
            // A tip waits for the pointer to move within its heading; a move can be lost on a
            // busy machine, so the pointer is nudged again every two seconds.
            if (i % 20 == 0)
                SetCursorPos(rest.x + (i / 20) % 2, rest.y);
            Sleep(100);
            tip = shownTip();
        }
        printLine("tip", tip ? controlText(tip) : std::wstring());
        // With BMP and TIP_BMP, pictures of the window and of its tip, and where each is.
        if (argc > 6) {
            RECT frame{};
            GetWindowRect(window, &frame);
            std::printf("frame: %ld %ld\n", frame.left, frame.top);
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            if (!writePicture(window, argv[5]))
                return 1;
            if (tip) {
                GetWindowRect(tip, &frame);
                std::printf("tip frame: %ld %ld\n", frame.left, frame.top);
                if (!writePicture(tip, argv[6]))
                    return 1;
            }
        }
        return 0;
    }
    if (command == L"close-wkw") {
        if (HWND matrix = FindWindowW(FRAGTIDE_WKW_CLASS, nullptr))
            SendMessageW(matrix, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == L"close") {
        if (HWND dialog = FindWindowW(L"#32770", L"Game Select"))
            PostMessageW(dialog, WM_CLOSE, 0, 0);
        Sleep(200);
        PostMessageW(main, WM_CLOSE, 0, 0);
        return 0;
    }
    return 2;
}
