// The main window driven as a user drives it: start-up, Browse, Analyze Log, the report buttons
// and the player list. Headless (QT_QPA_PLATFORM=offscreen); every dialog answered by the test.
#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTableWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include "ui/qt/qt_text.hpp"
#include "tests/support/fake_seasons.hpp"
#include "tests/support/season_view_fixture.hpp"
#include "ui/qt/matches_window.hpp"
#include "ui/qt/who_killed_whom.hpp"
#include "window_fixture.hpp"

using namespace fragtide;
using testing::MessageAnswer;
using testing::MessageStyle;
using testing::TestWindow;
using testing::WindowWorld;

namespace {

const QString kGeneralHeading = QStringLiteral("LIST OF ALL KILLS PER WEAPON:");
const QString kPlayersHeading = QStringLiteral("LIST OF PLAYERS AND FRAGS PER PLAYER:");

// A log over the size limit: the run asks before reading it.
QStringList bigLog() {
    QStringList big;
    const QString filler(100, u'x');
    for (int i = 0; i < 12000; ++i)
        big << filler;
    big << QStringLiteral("Carol was ax-murdered by Bob");
    return big;
}

void clickPlayer(TestWindow& window, int row) {
    auto* list = window.widget<QListWidget>("lstPlayers");
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

}  // namespace

class FrmMainTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUpCaptionNamesTheStoredGameOrTheFallback_data();
    void startUpCaptionNamesTheStoredGameOrTheFallback();
    void startsWithEmptyListsAndDisabledReportButtons();
    void commandLineLogIsAnalysedBeforeTheWindowShows_data();
    void commandLineLogIsAnalysedBeforeTheWindowShows();
    void commandLineLogThatCannotBeReadIsReported();
    void browseNamesTheGameAndAnalyzeShowsTheChosenLog();
    void droppedFileBecomesTheChosenLog();
    void reportButtonsAndPlayerClicksMoveTheBoldCaption();
    void progressBarReachesTheFileSizeThenResets();
    void inputDuringARunIsNotActedUpon();
    void largeCommandLineLogAsksOverTheShownWindow();
    void closeRequestDuringARunEndsTheProgram();
    void menusUnderlineOnlyAccessKeysThatWork();
    void accessKeysAndCtrlOReachTheButtons();
    void hintBelowTheReportSwitchesTheGameAndAnalysesAgain();
    void namesMenuChecksOneEntryAndShowsNamesAgain();
    void rivalsButtonAndWhoKilledWhomWindow();
    void browseTakesSeveralFilesAsOneLog();
    void exportMenuWritesTheLastAnalysis();
    void seasonMenusShowTheRankingButtonAndTheMatches();
};

void FrmMainTest::startUpCaptionNamesTheStoredGameOrTheFallback_data() {
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("caption");
    QTest::newRow("stored game") << true << "Quake II : Standard"
                                 << "Fragtide (analyzing Quake II : Standard log files)";
    QTest::newRow("empty text") << true << ""
                                << "Fragtide (analyzing Quake I : Standard log files)";
    QTest::newRow("nothing stored") << false << ""
                                    << "Fragtide (analyzing Quake I : Standard log files)";
}

void FrmMainTest::startUpCaptionNamesTheStoredGameOrTheFallback() {
    QFETCH(bool, stored);
    QFETCH(QString, value);
    QFETCH(QString, caption);
    WindowWorld world;
    if (stored)
        world.storeGame(value.toStdString());
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    QCOMPARE(window.windowTitle(), caption);
    // The weapon names follow the game that start-up settled on.
    QVERIFY(!world.store.WeaponNames[1].empty());
    QVERIFY(window.messages.empty());
}

void FrmMainTest::startsWithEmptyListsAndDisabledReportButtons() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    QVERIFY(window.lines("lst").isEmpty());
    QVERIFY(window.lines("lstPlayers").isEmpty());
    QCOMPARE(window.widget<QLabel>("lbl_2")->text(), QStringLiteral("Total players : 0"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(!window.reportButton(i)->isEnabled());
    QCOMPARE(window.boldButton(), 0);
    const auto* bar = window.widget<QProgressBar>("PB");
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->maximum(), 100);
}

void FrmMainTest::commandLineLogIsAnalysedBeforeTheWindowShows_data() {
    QTest::addColumn<QString>("commandLine");  // %1 is the log's folder
    QTest::addColumn<QString>("shown");
    QTest::newRow("full path") << "%1/Match1.LOG" << "match1.log";
    QTest::newRow("quoted path") << "\"%1/Match1.LOG\"" << "match1.log";
    QTest::newRow("bare file name") << "Match1.LOG" << "match1.log";
}

void FrmMainTest::commandLineLogIsAnalysedBeforeTheWindowShows() {
    QFETCH(QString, commandLine);
    QFETCH(QString, shown);
    WindowWorld world;
    world.writeLog(QStringLiteral("Match1.LOG"), testing::threeKillLog());
    // A bare name is looked for in the folder the program was started in.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(world.folder.path());
    if (commandLine.contains(QLatin1String("%1")))
        commandLine = commandLine.arg(world.folder.path());
    TestWindow window(world.store, world.backend, commandLine.toStdString());
    window.Form_Load();
    QDir::setCurrent(previous);

    QCOMPARE(window.widget<QLineEdit>("txtFile")->text(), shown);
    QVERIFY(!window.cdFileNameText().contains(u'"'));
    QVERIFY(window.messages.empty());
    QCOMPARE(window.lines("lst").value(0), kGeneralHeading);
    QCOMPARE(window.lines("lstPlayers"), (QStringList{"Bob", "Alice"}));
    QCOMPARE(window.widget<QLabel>("lbl_2")->text(), QStringLiteral("Total players : 2"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Fragtide (analyzing Quake I : Standard log files)"));
}

void FrmMainTest::commandLineLogThatCannotBeReadIsReported() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "C:\\Logs\\Match1.LOG");
    window.Form_Load();
    // Shown without its folder and leading separator, so the run does not skip it in silence.
    QCOMPARE(window.widget<QLineEdit>("txtFile")->text(), QStringLiteral("match1.log"));
    QCOMPARE(window.cdFileNameText(), QStringLiteral("C:\\Logs\\Match1.LOG"));
    // The box waits for the window, so that it opens over it rather than alone.
    QVERIFY(window.messages.empty());
    window.show();
    QTRY_COMPARE(window.messages.size(), std::size_t{1});
    QVERIFY(window.messages[0].formVisible);
    QCOMPARE(window.messages[0].title, QStringLiteral("Error."));
    QVERIFY(window.messages[0].prompt.contains(QStringLiteral("Match1.LOG")));
    QVERIFY2(window.messages[0].prompt.startsWith(QStringLiteral("Cannot read")),
             qPrintable(window.messages[0].prompt));
    QCoreApplication::processEvents();
    QCOMPARE(window.messages.size(), std::size_t{1});
    QCOMPARE(window.windowTitle(), QStringLiteral("Fragtide (analyzing Quake I : Standard log files)"));
    QVERIFY(window.lines("lstPlayers").isEmpty());
}

void FrmMainTest::browseNamesTheGameAndAnalyzeShowsTheChosenLog() {
    WindowWorld world;
    world.storeGame("Quake I : Warhaven");
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    window.fileToChoose = world.writeLog(QStringLiteral("Duel.log"),
                                         {QStringLiteral("Ann was axed by Zed")});
    QTest::mouseClick(window.widget<QPushButton>("cmdBrowse"), Qt::LeftButton);

    QCOMPARE(window.fileRequests.size(), std::size_t{1});
    const ui::OpenFileRequest& request = window.fileRequests[0];
    QCOMPARE(request.title, std::string("Open Quake I : Warhaven LOG File..."));
    QCOMPARE(window.widget<QLineEdit>("txtFile")->text(), QStringLiteral("Duel.log"));

    QTest::mouseClick(window.widget<QPushButton>("cmdAnalyze"), Qt::LeftButton);
    QCOMPARE(window.lines("lst").value(0), kGeneralHeading);
    QVERIFY(window.lines("lst").contains(QStringLiteral("Most violent Barbarian : Zed with 1 axe kills!")));
    QCOMPARE(window.lines("lstPlayers"), QStringList{"Zed"});
    for (int i = 0; i < 3; ++i)
        QVERIFY(window.reportButton(i)->isEnabled());

    // A second Browse clears the report but keeps the last analysis's players.
    window.fileToChoose = world.writeLog(QStringLiteral("Next.log"), {});
    QTest::mouseClick(window.widget<QPushButton>("cmdBrowse"), Qt::LeftButton);
    QVERIFY(window.lines("lst").isEmpty());
    QCOMPARE(window.lines("lstPlayers"), QStringList{"Zed"});
    QCOMPARE(window.widget<QLabel>("lbl_2")->text(), QStringLiteral("Total players : 1"));
}

void FrmMainTest::droppedFileBecomesTheChosenLog() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    const QString log = world.writeLog(QStringLiteral("Dropped.log"), testing::threeKillLog());

    // A web address among the files, or a file that is not there, refuses the whole drag.
    for (const QList<QUrl>& urls : {QList<QUrl>{QUrl::fromLocalFile(log), QUrl(QStringLiteral("https://example.org/a.log"))},
                                    QList<QUrl>{QUrl::fromLocalFile(log + QStringLiteral(".gone"))}}) {
        QMimeData refusedData;
        refusedData.setUrls(urls);
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &refusedData, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&window, &refused);
        QVERIFY(!refused.isAccepted());
    }

    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(log)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &file, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &file, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &drop);
    QCOMPARE(window.widget<QLineEdit>("txtFile")->text(), QStringLiteral("Dropped.log"));
    QCOMPARE(window.cdFileNameText(), log);

    // Two files at once: read as one, in name order.
    const QString other = world.writeLog(QStringLiteral("Another.log"), {QStringLiteral("Dan was ax-murdered by Eve")});
    QMimeData two;
    two.setUrls({QUrl::fromLocalFile(log), QUrl::fromLocalFile(other)});
    QDragEnterEvent enterTwo(QPoint(10, 10), Qt::CopyAction, &two, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &enterTwo);
    QVERIFY(enterTwo.isAccepted());
    QDropEvent dropTwo(QPointF(10, 10), Qt::CopyAction, &two, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &dropTwo);
    QCOMPARE(window.widget<QLineEdit>("txtFile")->text(), QStringLiteral("2 files"));
    QCOMPARE(window.cdFileNameText(), other);
    QTest::mouseClick(window.widget<QPushButton>("cmdAnalyze"), Qt::LeftButton);
    QCOMPARE(window.lines("lstPlayers"), (QStringList{"Eve", "Bob", "Alice"}));
}

void FrmMainTest::reportButtonsAndPlayerClicksMoveTheBoldCaption() {
    WindowWorld world;
    const QString log = world.writeLog(QStringLiteral("a.log"), testing::threeKillLog());
    TestWindow window(world.store, world.backend, log.toStdString());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.boldButton(), 0);

    QTest::mouseClick(window.reportButton(1), Qt::LeftButton);
    QCOMPARE(window.boldButton(), 1);
    QCOMPARE(window.lines("lst").value(0), kPlayersHeading);

    // A player clicked after Player Info shows that player's scores.
    clickPlayer(window, 1);
    QCOMPARE(window.boldButton(), 2);
    QCOMPARE(window.lines("lst").value(0), QStringLiteral("INDIVIDUAL PLAYER SCORES FOR ALICE:"));

    QTest::mouseClick(window.reportButton(0), Qt::LeftButton);
    QCOMPARE(window.boldButton(), 0);
    QCOMPARE(window.lines("lst").value(0), kGeneralHeading);

    // The player still selected, clicked again, comes back; so does Individual Info.
    clickPlayer(window, 1);
    QCOMPARE(window.boldButton(), 2);
    QCOMPARE(window.lines("lst").value(0), QStringLiteral("INDIVIDUAL PLAYER SCORES FOR ALICE:"));
    QTest::mouseClick(window.reportButton(1), Qt::LeftButton);
    QTest::mouseClick(window.reportButton(2), Qt::LeftButton);
    QCOMPARE(window.boldButton(), 2);
    QCOMPARE(window.lines("lst").value(0), QStringLiteral("INDIVIDUAL PLAYER SCORES FOR ALICE:"));

    // Keys move the selection, and the report follows it.
    window.widget<QListWidget>("lstPlayers")->setFocus();
    QTest::keyClick(window.widget<QListWidget>("lstPlayers"), Qt::Key_Up);
    QCOMPARE(window.lines("lst").value(0), QStringLiteral("INDIVIDUAL PLAYER SCORES FOR BOB:"));
    QVERIFY(window.messages.empty());
}

void FrmMainTest::progressBarReachesTheFileSizeThenResets() {
    WindowWorld world;
    QStringList lines;
    for (int i = 0; i < 5000; ++i)
        lines << QStringLiteral("Carol was nailed by P%1").arg(i % 7);
    const QString log = world.writeLog(QStringLiteral("long.log"), lines);
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    window.fileToChoose = log;
    QTest::mouseClick(window.widget<QPushButton>("cmdBrowse"), Qt::LeftButton);

    auto* bar = window.widget<QProgressBar>("PB");
    QSignalSpy values(bar, &QProgressBar::valueChanged);
    QTest::mouseClick(window.widget<QPushButton>("cmdAnalyze"), Qt::LeftButton);
    int peak = 0;
    for (const QList<QVariant>& change : values)
        peak = std::max(peak, change.at(0).toInt());
    QCOMPARE(peak, static_cast<int>(QFileInfo(log).size()));  // the bar runs over the bytes
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(window.widget<QLabel>("lbl_2")->text(), QStringLiteral("Total players : 7"));
}

void FrmMainTest::inputDuringARunIsNotActedUpon() {
    WindowWorld world;
    const QString small = world.writeLog(QStringLiteral("a.log"), testing::threeKillLog());
    TestWindow window(world.store, world.backend, small.toStdString());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // A log over the size limit asks first; while the question is up, a click on Player Info
    // waits in the queue, and must be dropped rather than run after the analysis.
    window.fileToChoose = world.writeLog(QStringLiteral("big.log"), bigLog());
    QTest::mouseClick(window.widget<QPushButton>("cmdBrowse"), Qt::LeftButton);
    QPushButton* playerInfo = window.reportButton(1);
    window.duringMessage = [playerInfo] {
        const QPointF at = QPointF(playerInfo->rect().center());
        QCoreApplication::postEvent(playerInfo, new QMouseEvent(QEvent::MouseButtonPress, at, at,
                                                                Qt::LeftButton, Qt::LeftButton, {}));
        QCoreApplication::postEvent(playerInfo, new QMouseEvent(QEvent::MouseButtonRelease, at, at,
                                                                Qt::LeftButton, Qt::NoButton, {}));
    };
    QSignalSpy clicked(playerInfo, &QPushButton::clicked);
    QTest::mouseClick(window.widget<QPushButton>("cmdAnalyze"), Qt::LeftButton);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(window.messages.size(), std::size_t{1});
    QCOMPARE(window.messages[0].style, MessageStyle::YesNoQuestion);
    QCOMPARE(window.messages[0].title, QStringLiteral("Large File Size."));
    QCoreApplication::processEvents();
    QCOMPARE(window.lines("lst").value(0), kGeneralHeading);
    QCOMPARE(window.boldButton(), 0);

    // No to the question: the window keeps what it showed.
    window.duringMessage = nullptr;
    window.answers = {MessageAnswer::No};
    QTest::mouseClick(window.reportButton(1), Qt::LeftButton);
    QTest::mouseClick(window.widget<QPushButton>("cmdAnalyze"), Qt::LeftButton);
    QCOMPARE(window.lines("lst").value(0), kPlayersHeading);
    QCOMPARE(window.boldButton(), 1);
}

void FrmMainTest::largeCommandLineLogAsksOverTheShownWindow() {
    WindowWorld world;
    const QString log = world.writeLog(QStringLiteral("big.log"), bigLog());
    TestWindow window(world.store, world.backend, log.toStdString());
    window.Form_Load();
    QCOMPARE(window.messages.size(), std::size_t{1});
    QCOMPARE(window.messages[0].style, MessageStyle::YesNoQuestion);
    QVERIFY(window.messages[0].formVisible);
    QCOMPARE(window.lines("lstPlayers"), QStringList{"Bob"});
}

void FrmMainTest::closeRequestDuringARunEndsTheProgram() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.fileToChoose = world.writeLog(QStringLiteral("big.log"), bigLog());
    window.cmdBrowse_Click();
    // The window frame's close button, pressed while the size question is up.
    window.duringMessage = [&window] { QCoreApplication::postEvent(&window, new QCloseEvent); };
    window.cmdAnalyze_Click();
    QCOMPARE(window.endedDuringRun, 1);

    // Outside a run, closing is the frame's ordinary business.
    window.duringMessage = nullptr;
    QVERIFY(window.close());
    QCOMPARE(window.endedDuringRun, 1);
}

void FrmMainTest::menusUnderlineOnlyAccessKeysThatWork() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    QStringList captions;
    for (const char* name : {"mnuGameSel", "mnuExit", "mnuHelp2", "mnuAbout"})
        captions << window.findChild<QAction*>(QLatin1String(name))->text();
    QCOMPARE(captions, (QStringList{"&Game Select", "E&xit", "&Fragtide Help Topics", "&About Fragtide..."}));
    for (const QString& caption : captions)
        QCOMPARE(caption.count(u'&'), 1);
}

void FrmMainTest::accessKeysAndCtrlOReachTheButtons() {
    WindowWorld world;
    const QString log = world.writeLog(QStringLiteral("a.log"), testing::threeKillLog());
    TestWindow window(world.store, world.backend, log.toStdString());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // An access key presses its button as a click would, after the button's short press.
    QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(window.boldButton(), 1);
    QTest::keyClick(&window, Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(window.boldButton(), -1);  // Rivals Info, outside the first three
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    QTRY_COMPARE(window.boldButton(), 0);

    window.fileToChoose = world.writeLog(QStringLiteral("Next.log"), {});
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(window.widget<QLineEdit>("txtFile")->text(), QStringLiteral("Next.log"));
}

void FrmMainTest::browseTakesSeveralFilesAsOneLog() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    const QString b = world.writeLog(QStringLiteral("b.log"), {QStringLiteral("Dan was ax-murdered by Eve")});
    const QString a = world.writeLog(QStringLiteral("a.log"), testing::threeKillLog());
    window.filesToChoose = {b, a};
    QTest::mouseClick(window.widget<QPushButton>("cmdBrowse"), Qt::LeftButton);
    QVERIFY(window.fileRequests.at(0).allowMultiple);
    QCOMPARE(window.widget<QLineEdit>("txtFile")->text(), QStringLiteral("2 files"));
    QCOMPARE(window.cdFileNameText(), a);
    QTest::mouseClick(window.widget<QPushButton>("cmdAnalyze"), Qt::LeftButton);
    QCOMPARE(window.lines("lstPlayers"), (QStringList{"Bob", "Alice", "Eve"}));
    QVERIFY(window.messages.empty());
}

void FrmMainTest::exportMenuWritesTheLastAnalysis() {
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    auto* file = window.findChild<QMenu*>(QStringLiteral("mnuFile"));
    QStringList entries;
    for (const QAction* action : file->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(entries, (QStringList{"&New Season...", "&Open Season...", "&Add Logs to Season...", "-", "&Game Select",
                        "&Export Report...", "-", "E&xit"}));
    auto* exportAction = window.findChild<QAction*>(QStringLiteral("mnuExport"));
    QVERIFY(!exportAction->isEnabled());

    window.fileToChoose = world.writeLog(QStringLiteral("Match1.log"), testing::threeKillLog());
    QTest::mouseClick(window.widget<QPushButton>("cmdBrowse"), Qt::LeftButton);
    QVERIFY(!exportAction->isEnabled());  // chosen, not yet analysed
    QTest::mouseClick(window.widget<QPushButton>("cmdAnalyze"), Qt::LeftButton);
    QVERIFY(exportAction->isEnabled());

    const QString target = QDir(world.folder.path()).filePath(QStringLiteral("season.csv"));
    window.exportToChoose = ui::ChosenExportFile{ui::toPath(target), 0};
    exportAction->trigger();
    QCOMPARE(window.exportRequests.size(), std::size_t{1});
    QCOMPARE(ui::toQString(ui::pathText(window.exportRequests[0].defaultName)), QStringLiteral("Match1.html"));
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray csv = written.readAll();
    QVERIFY2(csv.startsWith("player,slot,weapon,frags\r\nBob,"), csv.constData());
    QCOMPARE(window.messages.size(), std::size_t{1});  // where the file went
}

void FrmMainTest::hintBelowTheReportSwitchesTheGameAndAnalysesAgain() {
    WindowWorld world;
    const QString log = world.writeLog(
        QStringLiteral("server.log"),
        {QStringLiteral("L 01/02/2024 - 10:00:01: \"Bob<2><STEAM_0:1:1><CT>\" killed \"Ann<3><BOT><TERRORIST>\" with \"ak47\""),
         QStringLiteral("L 01/02/2024 - 10:00:02: World triggered \"Round_End\"")});
    TestWindow window(world.store, world.backend, log.toStdString());
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* hint = window.widget<QLabel>("lblHint");
    auto* button = window.widget<QPushButton>("cmdHint");
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), QStringLiteral("No kill of Quake I : Standard found in 2 lines. This looks like a "
                                          "Half-Life : Server Log (1 kill)."));
    QCOMPARE(button->text(), QStringLiteral("Analyze as Half-Life : Server Log"));
    QCOMPARE(window.lines("lst").value(0), kGeneralHeading);
    QVERIFY(window.messages.empty());

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(window.windowTitle(), QStringLiteral("Fragtide (analyzing Half-Life : Server Log log files)"));
    QCOMPARE(settings::loadSelectedGame(world.backend), std::string("Half-Life : Server Log"));
    QCOMPARE(window.lines("lstPlayers"), QStringList{"Bob"});
    QVERIFY(!hint->isVisible());
    QVERIFY(!button->isVisible());
}

void FrmMainTest::namesMenuChecksOneEntryAndShowsNamesAgain() {
    WindowWorld world;
    const QString path = QDir(world.folder.path()).filePath(QStringLiteral("q.log"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Carol was ax-murdered by \xC2\xEF\xE2\r\n");  // "Bob" in Quake's coloured letters
    file.close();
    TestWindow window(world.store, world.backend, path.toStdString());
    window.Form_Load();
    QStringList captions;
    QList<QAction*> entries;
    for (int i = 0; i < 4; ++i) {
        entries << window.findChild<QAction*>(QStringLiteral("mnuNames_%1").arg(i));
        captions << entries.back()->text();
    }
    QCOMPARE(captions, (QStringList{"&Automatic", "&UTF-8", "&Windows-1252", "&Quake"}));
    QVERIFY(entries[0]->isChecked());
    QCOMPARE(window.findChild<QMenu*>("mnuView")->title(), QStringLiteral("&View"));

    entries[3]->trigger();
    QVERIFY(entries[3]->isChecked());
    QVERIFY(!entries[0]->isChecked());
    QCOMPARE(window.lines("lstPlayers"), QStringList{"Bob"});
    QVERIFY(window.lines("lst").join(u'\n').contains(QStringLiteral("Bob")));  // General Info again
    QCOMPARE(settings::loadNameDisplay(world.backend), std::string("quake"));
}

void FrmMainTest::rivalsButtonAndWhoKilledWhomWindow() {
    WindowWorld world;
    const QString log = world.writeLog(QStringLiteral("a.log"), testing::threeKillLog());
    TestWindow window(world.store, world.backend, "");
    auto* rivals = window.widget<QPushButton>("cmdOptions_3");
    QCOMPARE(rivals->text(), QStringLiteral("&Rivals Info"));
    QVERIFY(!rivals->isEnabled());
    window.fileToChoose = log;
    window.Form_Load();
    window.cmdBrowse_Click();
    window.cmdAnalyze_Click();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(rivals->isEnabled());
    QTest::mouseClick(rivals, Qt::LeftButton);
    QVERIFY(rivals->font().bold());
    QCOMPARE(window.boldButton(), -1);
    QCOMPARE(window.lines("lst").value(0), QStringLiteral("FRAGS, DEATHS AND RIVALS PER PLAYER:"));
    QTest::mouseClick(window.reportButton(0), Qt::LeftButton);
    QVERIFY(!rivals->font().bold());

    window.findChild<QAction*>("mnuWhoKilledWhom")->trigger();
    auto* matrixWindow = window.whoKilledWhom();
    QVERIFY(matrixWindow);
    QVERIFY(matrixWindow->isVisible());
    QVERIFY(!matrixWindow->isModal());
    auto* table = matrixWindow->findChild<QTableWidget*>("tblMatrix");
    QCOMPARE(table->verticalHeaderItem(0)->text(), QStringLiteral("Bob"));
    // Sorted by the total column, smallest first on the second click: Alice (1) before Bob (2).
    const int totalColumn = table->columnCount() - 1;
    matrixWindow->sortByColumn(totalColumn);
    matrixWindow->sortByColumn(totalColumn);
    QCOMPARE(table->verticalHeaderItem(0)->text(), QStringLiteral("Alice"));
    QCOMPARE(table->horizontalHeader()->sortIndicatorSection(), totalColumn);
    QCOMPARE(table->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(matrixWindow->findChild<QLabel*>("lblCorner")->text(), QStringLiteral("Killer \\ Victim"));
    QCOMPARE(table->horizontalHeaderItem(0)->toolTip(), table->horizontalHeaderItem(0)->text());
    matrixWindow->copyToClipboard();
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(copied.indexOf(QStringLiteral("Alice")) < copied.indexOf(QStringLiteral("\nBob")), qPrintable(copied));
    matrixWindow->close();
}

void FrmMainTest::seasonMenusShowTheRankingButtonAndTheMatches() {
    WindowWorld world;
    testing::FakeSeasons seasons;
    const auto november = ui::toPath(QDir(world.folder.path()).filePath(QStringLiteral("november.fragtide-season")));
    seasons.seasons[november].view = testing::generatedSeasonView(5, 3);
    TestWindow window(world.store, world.backend, "");
    window.controller().setSeasonAccess(seasons);
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* ranking = window.widget<QPushButton>("cmdOptions_4");
    auto* add = window.findChild<QAction*>("mnuAddToSeason");
    auto* matches = window.findChild<QAction*>("mnuMatches");
    QVERIFY(!ranking->isVisible());
    QVERIFY(!add->isEnabled() && !matches->isEnabled());
    QCOMPARE(window.findChild<QAction*>("mnuNewSeason")->text(), QStringLiteral("&New Season..."));

    window.seasonToChoose = november;
    window.findChild<QAction*>("mnuOpenSeason")->trigger();
    QVERIFY(ranking->isVisible());
    QCOMPARE(ranking->text(), QStringLiteral("Ran&king"));
    QVERIFY(ranking->font().bold());
    QVERIFY(add->isEnabled() && matches->isEnabled());
    QCOMPARE(window.windowTitle(), QStringLiteral("Fragtide (season november, Quake I : Standard)"));
    QCOMPARE(window.lines("lst").value(0), QStringLiteral("SEASON RANKING BY RATING:"));
    QTest::mouseClick(window.reportButton(0), Qt::LeftButton);
    QVERIFY(!ranking->font().bold());
    QTest::mouseClick(ranking, Qt::LeftButton);
    QCOMPARE(window.lines("lst").value(0), QStringLiteral("SEASON RANKING BY RATING:"));

    matches->trigger();
    QVERIFY(window.matchesWindow() && window.matchesWindow()->isVisible());
    auto* table = window.matchesWindow()->findChild<QTableWidget*>("tblMatches");
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->horizontalHeaderItem(5)->text(), QStringLiteral("Top fragger"));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("qconsole-1001.log"));
    window.matchesWindow()->close();
}

QTEST_MAIN(FrmMainTest)
#include "frmMain_test.moc"
