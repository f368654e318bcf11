// Game Select, About and the help command, headless.
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

#include "ui/frmAbout.hpp"
#include "ui/frmGS.hpp"
#include "ui/help_viewer.hpp"
#include "window_fixture.hpp"

using namespace fragtide;
using testing::MessageStyle;
using testing::TestWindow;
using testing::WindowWorld;

namespace {

const QStringList kCatalogue = {"Quake I : Standard",         "Quake I : Warhaven",
                                "Quake I : Capture The Flag", "Quake II : Standard",
                                "Quake II : Action Quake",    "Half-Life : Counter-Strike",
                                "Half-Life : Server Log",     "Quake II : StdLog"};

QStringList entries(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// A started window whose game is `game`, with one analysis on show.
struct Started {
    WindowWorld world;
    TestWindow window{world.store, world.backend, ""};

    explicit Started(std::string_view game) {
        world.storeGame(game);
        window.fileToChoose = world.writeLog(QStringLiteral("a.log"), testing::threeKillLog());
        window.Form_Load();
        window.cmdBrowse_Click();
        window.cmdAnalyze_Click();
    }
};

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void gameSelectListsTheCatalogueAndPreselectsTheCurrentGame_data();
    void gameSelectListsTheCatalogueAndPreselectsTheCurrentGame();
    void gameSelectOkAppliesSavesAndKeepsTheStatistics();
    void gameSelectCancelChangesNothing();
    void gameSelectOkWithoutASelectionKeepsTheDialogOpen();
    void gameSelectIgnoresEnterAndEscape();
    void aboutShowsItsTextsAndOkCloses();
    void helpTopicsStartsTheViewerWithTheExactCommandLine();
    void helpTopicsWithoutTheViewerOpensTheBuiltInOne();
    void missingHelpFileShowsTheHelpError();
};

void DialogsTest::gameSelectListsTheCatalogueAndPreselectsTheCurrentGame_data() {
    QTest::addColumn<QString>("game");
    QTest::addColumn<int>("selected");
    QTest::newRow("Quake II : Standard") << "Quake II : Standard" << 3;
    QTest::newRow("first game") << "Quake I : Standard" << 0;
    QTest::newRow("last game") << "Quake II : StdLog" << 7;
    QTest::newRow("no game") << "Not Found" << -1;
    QTest::newRow("other case") << "quake ii : standard" << -1;
}

void DialogsTest::gameSelectListsTheCatalogueAndPreselectsTheCurrentGame() {
    QFETCH(QString, game);
    QFETCH(int, selected);
    WindowWorld world;
    testing::TestWindow window(world.store, world.backend, "");
    world.store.CurrentGame = game.toStdString();
    ui::frmGS dialog(world.store, world.backend, window);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Game Select"));
    QCOMPARE(dialog.findChild<QLabel*>("lbl")->text(),
             QStringLiteral("Select the game you wish to analyze logs of :"));
    const auto* box = dialog.findChild<QComboBox*>("cboGames");
    QCOMPARE(entries(box), kCatalogue);
    QCOMPARE(box->currentIndex(), selected);
}

void DialogsTest::gameSelectOkAppliesSavesAndKeepsTheStatistics() {
    Started started("Quake I : Standard");
    TestWindow& window = started.window;
    const QStringList players = window.lines("lstPlayers");
    const QStringList report = window.lines("lst");
    window.operateDialog = [](QDialog& dialog) {
        dialog.findChild<QComboBox*>("cboGames")->setCurrentIndex(5);
        dialog.findChild<QPushButton*>("cmdOK")->click();
        return dialog.result();
    };
    window.mnuGameSel_Click();

    QCOMPARE(window.windowTitle(),
             QStringLiteral("Fragtide (analyzing Half-Life : Counter-Strike log files)"));
    QCOMPARE(started.world.store.CurrentGame, std::string("Half-Life : Counter-Strike"));
    QCOMPARE(settings::loadSelectedGame(started.world.backend),
             std::string("Half-Life : Counter-Strike"));
    QCOMPARE(started.world.store.WeaponNames[1], std::string("Knife"));
    QCOMPARE(started.world.store.WeaponNames[18], std::string());
    // The last analysis stays on show until the next one.
    QCOMPARE(window.lines("lstPlayers"), players);
    QCOMPARE(window.lines("lst"), report);
    QCOMPARE(started.world.store.PlayerNames()[1], std::string("Bob"));
}

void DialogsTest::gameSelectCancelChangesNothing() {
    Started started("Quake II : Standard");
    const int savedBefore = started.world.backend.savedCount();
    const QString caption = started.window.windowTitle();
    started.window.operateDialog = [](QDialog& dialog) {
        dialog.findChild<QComboBox*>("cboGames")->setCurrentIndex(1);
        dialog.findChild<QPushButton*>("cmdCancel")->click();
        return dialog.result();
    };
    started.window.mnuGameSel_Click();
    QCOMPARE(started.window.windowTitle(), caption);
    QCOMPARE(started.world.store.CurrentGame, std::string("Quake II : Standard"));
    QCOMPARE(started.world.store.WeaponNames[1], std::string("Blaster"));
    QCOMPARE(started.world.backend.savedCount(), savedBefore);
}

void DialogsTest::gameSelectOkWithoutASelectionKeepsTheDialogOpen() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    world.store.CurrentGame = "Not Found";
    ui::frmGS dialog(world.store, world.backend, window);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);
    QCOMPARE(world.backend.savedCount(), 0);
    QCOMPARE(world.store.CurrentGame, std::string("Not Found"));

    // Once a game is picked, OK takes it.
    dialog.findChild<QComboBox*>("cboGames")->setCurrentIndex(2);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(world.store.CurrentGame, std::string("Quake I : Capture The Flag"));
}

void DialogsTest::gameSelectIgnoresEnterAndEscape() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    world.store.CurrentGame = "Quake I : Standard";
    ui::frmGS dialog(world.store, world.backend, window);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Enter);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(world.backend.savedCount(), 0);
}

void DialogsTest::aboutShowsItsTextsAndOkCloses() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    QString title, description, contact;
    window.operateDialog = [&](QDialog& dialog) {
        title = dialog.windowTitle();
        contact = dialog.findChild<QLabel*>("lbl_2")->text();
        description = dialog.findChild<QLabel*>("lbl_3")->text();
        dialog.findChild<QPushButton*>("cmdOK")->click();
        return dialog.result();
    };
    window.mnuAbout_Click();
    QCOMPARE(title, QStringLiteral("About Fragtide..."));
    QVERIFY(contact.contains(QStringLiteral("fragtide@example.org")));
    QCOMPARE(description,
             QStringLiteral("This program analyzes and shows statistics of all kinds of games and their "
                            "associated modifications (MODs). These games include: Quake 1, Quake 2, "
                            "Action Quake 2, Half-Life Counter-Strike, ... More games are constantly "
                            "added to the list, so regularly check for an update!"));
}

void DialogsTest::helpTopicsStartsTheViewerWithTheExactCommandLine() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    window.setHelpFilePath(QStringLiteral("C:\\Program Files\\Frag Tide\\Fragtide.html"));
    window.helpViewerStarts = true;
    window.mnuHelp2_Click();
    QCOMPARE(window.helpCommands,
             std::vector<std::string>{"c:\\windows\\winhelp.exe C:\\Program Files\\Frag Tide\\Fragtide.html"});
    QVERIFY(window.messages.empty());
    QVERIFY(!window.findChild<ui::HelpViewer*>());
}

void DialogsTest::helpTopicsWithoutTheViewerOpensTheBuiltInOne() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    window.setHelpFilePath(QStringLiteral(FRAGTIDE_SOURCE_DIR "/docs/help/Fragtide.html"));
    window.mnuHelp2_Click();
    QCOMPARE(window.helpCommands.size(), std::size_t{1});
    const auto* viewer = window.findChild<ui::HelpViewer*>();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    const QString text = viewer->browser()->toPlainText();
    for (const char* topic : {"Choosing the game", "Analysing a log", "General Info", "Player Info",
                              "Individual Info"})
        QVERIFY2(text.contains(QLatin1String(topic)), topic);

    // F1 brings the viewer back, the same one rather than a second.
    window.findChild<ui::HelpViewer*>()->close();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    QCOMPARE(window.findChildren<ui::HelpViewer*>().size(), 1);
    QVERIFY(window.findChild<ui::HelpViewer*>()->isVisible());
    QVERIFY(window.messages.empty());
}

void DialogsTest::missingHelpFileShowsTheHelpError() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    window.setHelpFilePath(QDir(world.folder.path()).filePath(QStringLiteral("Fragtide.html")));
    window.mnuHelp2_Click();
    window.showHelpDocument();  // what F1 does
    QCOMPARE(window.messages.size(), std::size_t{2});
    for (const auto& message : window.messages) {
        QCOMPARE(message.prompt,
                 QStringLiteral("The help file could not be opened this way. Try pressing F1 instead."));
        QCOMPARE(message.title, QStringLiteral("Help Error."));
        QCOMPARE(message.style, MessageStyle::OkCritical);
    }
    QVERIFY(!window.findChild<ui::HelpViewer*>());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
