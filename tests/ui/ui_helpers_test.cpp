// The window's plain helpers: reading the command line, the help command, finding the help file.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ui/command_line.hpp"
#include "ui/help_command.hpp"

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

QTEST_GUILESS_MAIN(UiHelpersTest)
#include "ui_helpers_test.moc"
