// fragtide: the window. Optional argument: a log file, analysed before the window opens.
#include <QApplication>
#include <QIcon>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <memory>

#include "common/version.hpp"
#include "engine/stats_store.hpp"
#include "settings/game_setting.hpp"
#include "settings/settings_backend.hpp"
#include "ui/qt/frmMain.hpp"
#include "ui/qt/qt_text.hpp"

int main(int argc, char** argv) {
    try {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Fragtide"));
        QApplication::setApplicationVersion(QStringLiteral(FRAGTIDE_VERSION_TEXT));
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/fragtide.png")));
        QGuiApplication::setDesktopFileName(QStringLiteral("fragtide"));

        fragtide::engine::StatsStore store;
        const std::unique_ptr<fragtide::settings::SettingsBackend> backend =
            fragtide::settings::makeDefaultBackend();

        // The whole rest of the line is one path, as the program has always read it, so an
        // unquoted path with spaces still names one file.
        QStringList arguments = QApplication::arguments();
        arguments.removeFirst();
        fragtide::ui::frmMain window(store, *backend,
                                     fragtide::ui::toUtf8(arguments.join(QLatin1Char(' '))));
        window.Form_Load();
        window.show();
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fragtide: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "fragtide: unexpected failure\n");
    }
    return 1;
}
