// Writes a picture of the main window after an analysis, for the documentation:
//
//   QT_QPA_PLATFORM=offscreen build/tests/fragtide_screenshot [--who-killed-whom | --player-info | --game-select] LOG OUTPUT.png [GAME]
//
// for example samples/q1_standard.log and docs/screenshot-after-analysis.png, or
// samples/hl_server.log, docs/screenshot-detection-hint.png and "Quake I : Standard" for the hint.
// With --who-killed-whom the picture is of the Who Killed Whom window opened (View menu) after the
// analysis, e.g. samples/q1_standard.log and docs/screenshot-who-killed-whom.png; a large one is
// widened to at most 1280 pixels and scrolls. With --player-info
// the window shows the Player Info report instead of General Info.
//
// With --game-select the picture is of the Game Select dialog over the window, listing every game
// of the catalogue: the game files of the user's games folder ($XDG_CONFIG_HOME/fragtide/games)
// and of games/ beside the program included.
//
// With --season the first argument is a season file instead of a log: the picture is of the window
// with the season open, its Ranking on show, widened to 1280 pixels. The season "sample" is a made-up
// one of 20 players and 30 matches, filled by hand without a season file.
//
// The window is the real one; the setting lives in memory, so nothing on the machine changes.
#include <QApplication>
#include <QComboBox>
#include <QAbstractItemView>
#include <QPainter>
#include <QHeaderView>
#include <QTableView>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <algorithm>
#include <memory>

#include "engine/game_catalogue.hpp"
#include "engine/stats_store.hpp"
#include "settings/game_setting.hpp"
#include "settings/memory_backend.hpp"
#include "ui/qt/frmGS.hpp"
#include "ui/qt/frmMain.hpp"
#include "ui/qt/qt_text.hpp"
#include "ui/qt/who_killed_whom.hpp"
#include "tests/support/fake_seasons.hpp"
#include "tests/support/season_view_fixture.hpp"

namespace {

// The real window, with the season dialog answered by the command line.
class SeasonWindow : public fragtide::ui::frmMain {
public:
    using frmMain::frmMain;
    std::filesystem::path season;

protected:
    std::optional<std::filesystem::path> askForSeasonFile(const fragtide::ui::SeasonFileRequest&) override {
        return season;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments();
    const bool whoKilledWhom = args.removeAll(QStringLiteral("--who-killed-whom")) > 0;
    const bool gameSelect = args.removeAll(QStringLiteral("--game-select")) > 0;
    const bool playerInfo = args.removeAll(QStringLiteral("--player-info")) > 0;
    const bool season = args.removeAll(QStringLiteral("--season")) > 0;
    if (args.size() < 3 || args.size() > 4) {
        std::fprintf(stderr, "usage: fragtide_screenshot [--who-killed-whom | --player-info | --game-select] LOG OUTPUT.png [GAME]\n"
                             "       fragtide_screenshot --season SEASON|sample OUTPUT.png\n");
        return 2;
    }
    fragtide::engine::StatsStore store;
    fragtide::settings::MemoryBackend backend;
    if (args.size() == 4)
        fragtide::settings::saveSelectedGame(backend, args[3].toStdString());

    SeasonWindow window(store, backend, season ? std::string() : args[1].toStdString());
    fragtide::testing::FakeSeasons sample;
    if (season && args[1] == QStringLiteral("sample")) {
        window.season = "sample/november.fragtide-season";
        sample.seasons[window.season].view = fragtide::testing::generatedSeasonView(20, 30);
        window.controller().setSeasonAccess(sample);
    } else if (season) {
        window.season = fragtide::ui::toPath(args[1]);
    }
    window.Form_Load();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "fragtide_screenshot: the window was never shown\n");
        return 1;
    }
    QWidget* shown = &window;
    if (season) {
        window.mnuOpenSeason_Click();
        window.resize(1280, 640);
        QTest::qWait(100);
    }
    if (playerInfo)
        window.cmdOptions_Click(fragtide::ui::ReportButton::PlayerInfo);
    std::unique_ptr<fragtide::ui::frmGS> dialog;
    if (gameSelect) {
        dialog = std::make_unique<fragtide::ui::frmGS>(window.controller().gameSelectChoice(), &window);
        dialog->show();
        shown = dialog.get();
        if (!QTest::qWaitForWindowExposed(shown)) {
            std::fprintf(stderr, "fragtide_screenshot: the Game Select dialog was never shown\n");
            return 1;
        }
        // The list opened, as a user sees it choosing: the dialog with its open list below it.
        if (auto* list = dialog->findChild<QComboBox*>()) {
            list->showPopup();
            QWidget* popup = list->view()->window();
            if (QTest::qWaitForWindowExposed(popup)) {
                const QPixmap top = dialog->grab();
                const QPixmap below = popup->grab();
                QPixmap both(std::max(top.width(), below.width()), top.height() + below.height());
                both.fill(Qt::white);
                QPainter painter(&both);
                painter.drawPixmap(0, 0, top);
                painter.drawPixmap(0, top.height(), below);
                painter.end();
                return both.save(args[2]) ? 0 : 1;
            }
        }
    }
    if (whoKilledWhom) {
        window.mnuWhoKilledWhom_Click();
        shown = window.whoKilledWhom();
        if (!shown || !QTest::qWaitForWindowExposed(shown)) {
            std::fprintf(stderr, "fragtide_screenshot: the Who Killed Whom window was never shown\n");
            return 1;
        }
        // The window opens at a fixed size; widened here so that the picture holds every column.
        if (const auto* table = shown->findChild<QTableView*>()) {
            const int missing = table->horizontalHeader()->length() - table->viewport()->width();
            if (missing > 0) {
                shown->resize(std::min(1280, shown->width() + missing + 2), shown->height() < 720 ? 720 : shown->height());
                QTest::qWait(50);
            }
        }
    }
    if (!shown->grab().save(args[2])) {
        std::fprintf(stderr, "fragtide_screenshot: cannot write '%s'\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
