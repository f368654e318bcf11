// Game Select, About and the help command, headless.
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QLayout>
#include <QTextBrowser>
#include <QTextLayout>

#include "ui/qt/frmAbout.hpp"
#include "ui/qt/frmGS.hpp"
#include "ui/qt/help_viewer.hpp"
#include "window_fixture.hpp"

using namespace fragtide;
using testing::MessageStyle;
using testing::TestWindow;
using testing::WindowWorld;

namespace {

const QStringList kCatalogue = {"Quake I : Standard",         "Quake I : Warhaven",
                                "Quake I : Capture The Flag", "Quake II : Standard",
                                "Quake II : Action Quake",    "Half-Life : Counter-Strike",
                                "Half-Life : Server Log",     "Quake II : StdLog",
                                "Counter-Strike 2 : Server Log", "Quake III : Server Log"};

// Game Select's contents when `game` is current, as the form controller gives them.
ui::GameSelectChoice choiceFor(WindowWorld& world, std::string_view game) {
    world.store.CurrentGame = std::string(game);
    TestWindow window(world.store, world.backend, "");
    return window.controller().gameSelectChoice();
}

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
    void f1InGameSelectAndAboutOpensTheHelp();
    void aboutIsLaidOutTightlyWithoutBreakingAWord();
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
    ui::frmGS dialog(choiceFor(world, game.toStdString()));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Game Select"));
    QCOMPARE(dialog.findChild<QLabel*>("lbl")->text(),
             QStringLiteral("Select the game you wish to analyze logs of :"));
    const auto* box = dialog.findChild<QComboBox*>("cboGames");
    QCOMPARE(entries(box), kCatalogue);
    QCOMPARE(box->currentIndex(), selected);
    // The line under the list follows the selection.
    const auto* description = dialog.findChild<QLabel*>("lblDescription");
    QCOMPARE(description->text().isEmpty(), selected < 0);
    dialog.findChild<QComboBox*>("cboGames")->setCurrentIndex(5);
    QCOMPARE(description->text(), QStringLiteral("Reads Counter-Strike's client console obituaries"));
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
    ui::frmGS dialog(choiceFor(world, "Not Found"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QSignalSpy finished(&dialog, &QDialog::finished);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);
    QCOMPARE(dialog.selectedPosition(), -1);

    // Once a game is picked, OK takes it.
    dialog.findChild<QComboBox*>("cboGames")->setCurrentIndex(2);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedPosition(), 2);
}

void DialogsTest::gameSelectIgnoresEnterAndEscape() {
    WindowWorld world;
    ui::frmGS dialog(choiceFor(world, "Quake I : Standard"));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Enter);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(finished.count(), 0);
}

void DialogsTest::aboutShowsItsTextsAndOkCloses() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    QString title, description, contact;
    window.operateDialog = [&](QDialog& dialog) {
        title = dialog.windowTitle();
        contact = dialog.findChild<QLabel*>("lbl_2")->text();
        // The word joiners that keep "Half-Life" whole are no text of their own.
        description = dialog.findChild<QLabel*>("lbl_3")->text().remove(QChar(0x2060));
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
    QVERIFY(!window.helpViewer());
}

void DialogsTest::helpTopicsWithoutTheViewerOpensTheBuiltInOne() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    window.setHelpFilePath(QStringLiteral(FRAGTIDE_SOURCE_DIR "/docs/help/Fragtide.html"));
    window.mnuHelp2_Click();
    QCOMPARE(window.helpCommands.size(), std::size_t{1});
    const auto* viewer = window.helpViewer();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    const QString text = viewer->browser()->toPlainText();
    for (const char* topic : {"Choosing the game", "Analysing a log", "General Info", "Player Info",
                              "Individual Info"})
        QVERIFY2(text.contains(QLatin1String(topic)), topic);

    // F1 brings the viewer back, the same one rather than a second.
    window.helpViewer()->close();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    QCOMPARE(window.helpViewer(), viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(window.messages.empty());
    window.helpViewer()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.helpViewer()));
    QTest::keyClick(window.helpViewer()->browser(), Qt::Key_Escape);  // closes it, as a viewer does
    QVERIFY(!viewer->isVisible());
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
        QVERIFY(message.prompt.startsWith(QStringLiteral("The help file was not found.")));
        QCOMPARE(message.title, QStringLiteral("Help Error."));
        QCOMPARE(message.style, MessageStyle::OkCritical);
    }
    QVERIFY(!window.helpViewer());
}

void DialogsTest::f1InGameSelectAndAboutOpensTheHelp() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    window.setHelpFilePath(QStringLiteral(FRAGTIDE_SOURCE_DIR "/docs/help/Fragtide.html"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    std::vector<bool> helpShown;
    window.operateDialog = [&](QDialog& dialog) {
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_F1);
        helpShown.push_back(window.helpViewer() && window.helpViewer()->isVisible());
        if (window.helpViewer())
            window.helpViewer()->close();
        dialog.reject();
        return dialog.result();
    };
    window.mnuGameSel_Click();
    window.mnuAbout_Click();
    QCOMPARE(helpShown, (std::vector<bool>{true, true}));
    QVERIFY(window.messages.empty());
    // F1 in Game Select changes no game.
    QCOMPARE(world.backend.savedCount(), 0);
}

void DialogsTest::aboutIsLaidOutTightlyWithoutBreakingAWord() {
    ui::frmAbout dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const auto* credit = dialog.findChild<QLabel*>("lbl_0");
    const auto* contact = dialog.findChild<QLabel*>("lbl_2");
    const auto* description = dialog.findChild<QLabel*>("lbl_3");
    const auto* ok = dialog.findChild<QPushButton*>("cmdOK");
    // No blank band: each part follows the one above at the layout's spacing.
    const int spacing = dialog.layout()->spacing();
    QVERIFY(contact->geometry().top() - credit->geometry().bottom() <= spacing + 1);
    QVERIFY(description->geometry().top() - contact->geometry().bottom() <= spacing + 1);
    QVERIFY(ok->geometry().top() - description->geometry().bottom() <= spacing + 1);
    QVERIFY(dialog.height() - ok->geometry().bottom() <= 2 * spacing);

    // Lay the description out as the label does and look at where its lines end.
    QTextLayout layout(description->text(), description->font());
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(description->contentsRect().width());
        lines << description->text().mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    QVERIFY(lines.size() > 1);
    for (const QString& line : lines)
        QVERIFY2(!line.endsWith(u'-'), qPrintable(line));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
