// The window's plain helpers: reading the command line, the help command, finding the help file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ui/command_line.hpp"
#include "ui/frmAbout.hpp"
#include "ui/help_command.hpp"
#include "ui/look.hpp"
#include "ui/message_text.hpp"
#include "ui/open_file_dialog.hpp"

using namespace fragtide::ui;

class UiHelpersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandLineNamesTheLogAndItsShownName_data();
    void commandLineNamesTheLogAndItsShownName();
    void commandLineWithoutAFileNamesNothing();
    void helpCommandLineIsTheViewerOneSpaceAndThePath_data();
    void helpCommandLineIsTheViewerOneSpaceAndThePath();
    void helpFileIsFoundBesideTheProgramOrInTheInstalledFolder();
    void messagesBeginWithACapitalLetter_data();
    void messagesBeginWithACapitalLetter();
    void menuCaptionsKeepOnlyTheFirstAccessKey();
    void hyphenatedWordsAreKeptWhole();
    void browseOpensInTheLastFolderWhileItExists();
};

void UiHelpersTest::commandLineNamesTheLogAndItsShownName_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shown");
    QTest::newRow("windows path") << "C:\\Logs\\Match1.LOG" << "C:\\Logs\\Match1.LOG" << "match1.log";
    QTest::newRow("unix path") << "/home/me/Logs/Match1.LOG" << "/home/me/Logs/Match1.LOG" << "match1.log";
    QTest::newRow("mixed separators") << "C:/Logs\\sub/CTF.log" << "C:/Logs\\sub/CTF.log" << "ctf.log";
    QTest::newRow("quoted, with spaces") << "\"C:\\My Logs\\Big Match.log\"" << "C:\\My Logs\\Big Match.log"
                                         << "big match.log";
    QTest::newRow("bare file name") << "match.log" << "match.log" << "match.log";
    QTest::newRow("one quote only stays") << "\"match.log" << "\"match.log" << "\"match.log";
    QTest::newRow("only the outer quotes go") << "\"\"a.log\"\"" << "\"a.log\"" << "\"a.log\"";
    QTest::newRow("trailing separator") << "C:\\Logs\\" << "C:\\Logs\\" << "logs";
    QTest::newRow("separators only") << "\\" << "\\" << "\\";
    QTest::newRow("non-ASCII name") << "/logs/ÄRGER.log" << "/logs/ÄRGER.log" << "ärger.log";
}

void UiHelpersTest::commandLineNamesTheLogAndItsShownName() {
    QFETCH(QString, text);
    QFETCH(QString, path);
    QFETCH(QString, shown);
    const auto log = parseCommandLine(text);
    QVERIFY(log);
    QCOMPARE(log->path, path);
    QCOMPARE(log->shownName, shown);
}

void UiHelpersTest::commandLineWithoutAFileNamesNothing() {
    QVERIFY(!parseCommandLine(QString()));
    QVERIFY(!parseCommandLine(QStringLiteral("\"\"")));
}

void UiHelpersTest::helpCommandLineIsTheViewerOneSpaceAndThePath_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("command");
    QTest::newRow("spaces kept, no quotes")
        << "C:\\Program Files\\Fragtide\\Fragtide.hlp"
        << "c:\\windows\\winhelp.exe C:\\Program Files\\Fragtide\\Fragtide.hlp";
    QTest::newRow("leading space doubles") << " x.hlp" << "c:\\windows\\winhelp.exe  x.hlp";
    QTest::newRow("empty path") << "" << "c:\\windows\\winhelp.exe ";
}

void UiHelpersTest::helpCommandLineIsTheViewerOneSpaceAndThePath() {
    QFETCH(QString, path);
    QFETCH(QString, command);
    QCOMPARE(QString::fromStdString(helpCommandLine(path.toStdString())), command);
}

void UiHelpersTest::helpFileIsFoundBesideTheProgramOrInTheInstalledFolder() {
    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkpath(QStringLiteral("bin")));
    QVERIFY(dir.mkpath(QStringLiteral("share/fragtide")));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString beside = QDir::toNativeSeparators(dir.filePath(QStringLiteral("bin/Fragtide.html")));

    // Missing everywhere: the path beside the program, so the error names where it was expected.
    QCOMPARE(findHelpFile(bin), beside);

    QFile installed(dir.filePath(QStringLiteral("share/fragtide/Fragtide.html")));
    QVERIFY(installed.open(QIODevice::WriteOnly));
    installed.close();
    QCOMPARE(findHelpFile(bin),
             QDir::toNativeSeparators(dir.filePath(QStringLiteral("share/fragtide/Fragtide.html"))));

    QFile built(beside);
    QVERIFY(built.open(QIODevice::WriteOnly));
    built.close();
    QCOMPARE(findHelpFile(bin), beside);
}

void UiHelpersTest::messagesBeginWithACapitalLetter_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("core error") << "cannot read 'a.log': no such file" << "Cannot read 'a.log': no such file";
    QTest::newRow("already capital") << "Select a player first." << "Select a player first.";
    QTest::newRow("two-byte letter") << "\u00e9chec" << "\u00c9chec";
    QTest::newRow("not a letter") << "'a.log' is gone" << "'a.log' is gone";
    QTest::newRow("empty") << "" << "";
}

void UiHelpersTest::messagesBeginWithACapitalLetter() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(QString::fromStdString(withCapitalStart(text.toStdString())), shown);
}

void UiHelpersTest::menuCaptionsKeepOnlyTheFirstAccessKey() {
    QCOMPARE(menuCaption(QStringLiteral("&Fragtide &Help Topics")), QStringLiteral("&Fragtide Help Topics"));
    QCOMPARE(menuCaption(QStringLiteral("E&xit")), QStringLiteral("E&xit"));
    QCOMPARE(menuCaption(QStringLiteral("&a&b&c")), QStringLiteral("&abc"));
    QCOMPARE(menuCaption(QStringLiteral("None")), QStringLiteral("None"));
    QCOMPARE(QString::fromStdString(startupErrorText("bad file", 2)), QStringLiteral("Bad file (error number 2)!"));
}

void UiHelpersTest::hyphenatedWordsAreKeptWhole() {
    const QChar joiner(0x2060);
    QCOMPARE(keepHyphenatedWordsWhole(QStringLiteral("Half-Life Counter-Strike")),
             QStringLiteral("Half-") + joiner + QStringLiteral("Life Counter-") + joiner + QStringLiteral("Strike"));
    // Only a hyphen inside a word: a dash between words, or at an end, may still break.
    QCOMPARE(keepHyphenatedWordsWhole(QStringLiteral("a - b -c d-")), QStringLiteral("a - b -c d-"));
}

void UiHelpersTest::browseOpensInTheLastFolderWhileItExists() {
    QTemporaryDir root;
    const OpenFileRequest fresh = browseRequest("Quake I : Warhaven", QString(), QStringLiteral("/prog"));
    QCOMPARE(fresh.title, QStringLiteral("Open Quake I : Warhaven LOG File..."));
    QCOMPARE(fresh.filters.value(0), QStringLiteral("Quake I : Warhaven LOG Files (*.log)"));
    QCOMPARE(fresh.initialDir, QStringLiteral("/prog"));
    QCOMPARE(browseRequest("q", root.path(), QStringLiteral("/prog")).initialDir, root.path());
    const QString gone = QDir(root.path()).filePath(QStringLiteral("gone"));
    QCOMPARE(browseRequest("q", gone, QStringLiteral("/prog")).initialDir, QStringLiteral("/prog"));
}

QTEST_GUILESS_MAIN(UiHelpersTest)
#include "ui_helpers_test.moc"
