#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_texts.hpp"
#include "cli/exit_codes.hpp"
#include "cli/report_command.hpp"
#include "cli/stored_game.hpp"
#include "engine/game_folders.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

namespace {

// The arguments after the program's name: as given on POSIX, UTF-8 from the wide command line on
// Windows (its narrow argv is in the ANSI code page and loses what that cannot spell).
std::vector<std::string> arguments(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(bytes > 0 ? bytes - 1 : 0, '\0');
        if (bytes > 1)
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), bytes, nullptr, nullptr);
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
#endif
}

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    try {
#ifdef _WIN32
        // Reports are UTF-8 and their lines end in "\n" alone, on a console or in a file.
        SetConsoleOutputCP(CP_UTF8);
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        const std::vector<std::string> args = arguments(argc, argv);
        const std::vector<std::string_view> views(args.begin(), args.end());
        fragtide::cli::CommandEnvironment env;
        env.stderrIsTerminal = stderrIsTerminal();
        env.storedGame = fragtide::cli::storedGame;
        env.gameFolders = fragtide::engine::standardGameFolders();
        return fragtide::cli::runFragtideReport(views, std::cout, std::cerr, env);
    } catch (const std::bad_alloc&) {
        // Past the analysis (a report or JSON of millions of names): said as the analysis says it.
        std::cerr << fragtide::cli::texts::kProgram << ": " << fragtide::cli::texts::kTooManyNames << ". "
                  << fragtide::cli::texts::kFreeMemory << '\n';
        return fragtide::cli::exitCodeFor(fragtide::ErrorKind::OutOfMemory);
    } catch (const std::exception& e) {
        std::cerr << "fragtide-report: internal error: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "fragtide-report: internal error\n";
    }
    return fragtide::cli::kExitInternal;
}
