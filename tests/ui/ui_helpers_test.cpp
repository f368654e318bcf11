// The Qt window's own text helpers: menu captions and words kept whole. (The toolkit-free
// helpers are tested with the form controller.)
#include <QTest>

#include "ui/qt/frmAbout.hpp"
#include "ui/qt/look.hpp"

using namespace fragtide::ui;

class UiHelpersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuCaptionsKeepOnlyTheFirstAccessKey();
    void hyphenatedWordsAreKeptWhole();
};

void UiHelpersTest::menuCaptionsKeepOnlyTheFirstAccessKey() {
    QCOMPARE(menuCaption(QStringLiteral("&Fragtide &Help Topics")), QStringLiteral("&Fragtide Help Topics"));
    QCOMPARE(menuCaption(QStringLiteral("E&xit")), QStringLiteral("E&xit"));
    QCOMPARE(menuCaption(QStringLiteral("&a&b&c")), QStringLiteral("&abc"));
    QCOMPARE(menuCaption(QStringLiteral("None")), QStringLiteral("None"));
}

void UiHelpersTest::hyphenatedWordsAreKeptWhole() {
    const QChar joiner(0x2060);
    QCOMPARE(keepHyphenatedWordsWhole(QStringLiteral("Half-Life Counter-Strike")),
             QStringLiteral("Half-") + joiner + QStringLiteral("Life Counter-") + joiner + QStringLiteral("Strike"));
    // Only a hyphen inside a word: a dash between words, or at an end, may still break.
    QCOMPARE(keepHyphenatedWordsWhole(QStringLiteral("a - b -c d-")), QStringLiteral("a - b -c d-"));
}

QTEST_GUILESS_MAIN(UiHelpersTest)
#include "ui_helpers_test.moc"
