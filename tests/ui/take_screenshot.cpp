// Writes a picture of the main window after an analysis, for the documentation:
//
//   QT_QPA_PLATFORM=offscreen build/tests/fragtide_screenshot LOG OUTPUT.png [GAME]
//
// for example samples/q1_standard.log and docs/screenshot-after-analysis.png, or
// samples/hl_server.log, docs/screenshot-detection-hint.png and "Quake I : Standard" for the hint.
//
// The window is the real one; the setting lives in memory, so nothing on the machine changes.
#include <QApplication>
#include <QPixmap>
#include <QTest>

#include <cstdio>

#include "engine/stats_store.hpp"
#include "settings/game_setting.hpp"
#include "settings/memory_backend.hpp"
#include "ui/frmMain.hpp"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fprintf(stderr, "usage: fragtide_screenshot LOG OUTPUT.png [GAME]\n");
        return 2;
    }
    fragtide::engine::StatsStore store;
    fragtide::settings::MemoryBackend backend;
    if (args.size() == 4)
        fragtide::settings::saveSelectedGame(backend, args[3].toStdString());

    fragtide::ui::frmMain window(store, backend, args[1].toStdString());
    window.Form_Load();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "fragtide_screenshot: the window was never shown\n");
        return 1;
    }
    if (!window.grab().save(args[2])) {
        std::fprintf(stderr, "fragtide_screenshot: cannot write '%s'\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
