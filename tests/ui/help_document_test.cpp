// The help document against the program: every text it quotes (marked class="text") is one of the
// program's own, spelled exactly, and its sample reports are what the window writes.
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocumentFragment>

#include <algorithm>

#include "engine/game_catalogue.hpp"
#include "reports/report_texts.hpp"
#include "reports/season_texts.hpp"
#include "ui/ui_texts.hpp"
#include "window_fixture.hpp"

using namespace fragtide;
using testing::TestWindow;
using testing::WindowWorld;

namespace {

QString helpDocument() {
    QFile file(QStringLiteral(FRAGTIDE_SOURCE_DIR "/docs/help/Fragtide.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The plain text of an HTML fragment: tags gone, entities decoded, white space as one space.
QString plain(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

// What the elements of class `name` hold, in document order.
QStringList elementsOfClass(const QString& html, const QString& name) {
    const QRegularExpression element(QStringLiteral(R"(<(\w+)[^>]*\bclass="%1"[^>]*>(.*?)</\1>)").arg(name),
                                     QRegularExpression::DotMatchesEverythingOption);
    QStringList found;
    for (auto it = element.globalMatch(html); it.hasNext();)
        found << it.next().captured(2);
    return found;
}

QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString menu(std::string_view caption) { return q(caption).remove(u'&'); }

// Every text of the program a user can meet, as the user sees it.
QStringList programTexts() {
    namespace t = ui::texts;
    namespace r = reports::texts;
    QStringList texts = {
        q(t::kSelectLogFile), menu(t::kBrowse), menu(t::kAnalyzeLog), q(t::kGeneralInfo), q(t::kPlayerInfo),
        q(t::kIndividualInfo), menu(t::kMenuFile), menu(t::kMenuGameSelect), menu(t::kMenuExit),
        menu(t::kMenuHelp), menu(t::kMenuHelpTopics), menu(t::kMenuAbout), q(t::kSelectPlayerFirst),
        q(t::kSelectPlayerFirstTitle), q(t::kStartupErrorTitle), q(t::kHelpMissingPrompt), q(t::kHelpErrorTitle),
        q(t::kTextFilesFilter), q(t::kAllFilesFilter), q(t::kGameSelectTitle), q(t::kGameSelectLabel), q(t::kOk),
        q(t::kCancel), q(t::kAboutTitle), q(t::kLargeFilePrompt), q(t::kLargeFileTitle), q(t::kErrorTitle),
        q(t::kPlayerCountPrefix), q(t::kChooseAnotherFile), q(r::kKillsPerWeaponHeading),
        q(r::kBigNumbersHeading), q(r::kPlayersHeading), q(r::kPercentagesHeading), q(r::kFragsPerWeapon),
        menu(t::kMenuExport), q(t::kExportHtmlFilter), q(t::kExportCsvFilter), q(t::kExportErrorTitle),
        q(t::kExportFailedAdvice), q(t::kLogsLeftOut), q(t::kRivalsInfo), menu(t::kMenuView),
        menu(t::kMenuNames), menu(t::kMenuWhoKilledWhom), menu(t::kNamesAutomatic), menu(t::kNamesUtf8),
        menu(t::kNamesWindows1252), menu(t::kNamesQuake), q(r::kRivalsHeading), q(t::kGameSelectReads).trimmed(),
        q(t::kWhoKilledWhomCorner), q(t::kExportTitle), q(t::kExportDonePrefix).trimmed(),
        menu(t::kMenuNewSeason), menu(t::kMenuOpenSeason), menu(t::kMenuAddToSeason), menu(t::kMenuMatches),
        q(t::kSeasonFilter), q(t::kSeasonErrorTitle), q(t::kSeasonOpenAdvice), q(t::kSeasonAddAdvice),
        q(t::kSeasonLogsLeftOut), q(r::kRankingName), q(r::kRankingHeading),
        q(t::seasonCaption("november", "Quake I : Standard")),
    };
    for (const engine::Game& game : engine::games()) {
        texts << q(game.displayName) << q(t::mainCaption(game.displayName));
        texts << q(t::kOpenTitlePrefix) + q(game.displayName) + q(t::kOpenTitleSuffix);
    }
    return texts;
}

// Report lines with a name and a number in them, as patterns made of the reports' own words.
QList<QRegularExpression> reportLineForms() {
    namespace r = reports::texts;
    const auto esc = [](std::string_view text) { return QRegularExpression::escape(q(text)); };
    const QString name = QStringLiteral("(.+)"), number = QStringLiteral("(\\d+)");
    QList<QRegularExpression> forms;
    for (const QString& form : {esc(r::kFragsWith) + name + esc(r::kFragsWithSeparator) + number,
                                name + esc(r::kHas) + number + esc(r::kFrags),
                                name + esc(r::kDid) + number + esc(r::kOfTheFragging)})
        forms << QRegularExpression(QStringLiteral("^") + form + QStringLiteral("$"));
    return forms;
}

// Lines of a sample report in the document, without the blank lines that end it.
QStringList reportLines(const QString& html) {
    QStringList lines = html.split(u'\n');
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

class HelpDocumentTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyQuotedTextIsTheProgramsOwn();
    void everyMessageIsQuoted();
    void sampleReportsAreWhatTheWindowWrites();
    void everyGameAndMenuItemIsDescribed();
};

void HelpDocumentTest::everyQuotedTextIsTheProgramsOwn() {
    const QString html = helpDocument();
    QVERIFY(!html.isEmpty());
    const QStringList known = programTexts();
    const auto forms = reportLineForms();
    const QStringList quoted = elementsOfClass(html, QStringLiteral("text"));
    QVERIFY(quoted.size() > 20);
    for (const QString& element : quoted) {
        // Texts that end in a space ("Total players : ") keep it; the rest is compared whole.
        const QString text = plain(element);
        const QString raw = QTextDocumentFragment::fromHtml(element).toPlainText();
        const bool isKnown = known.contains(text) || known.contains(raw) ||
                             std::any_of(forms.begin(), forms.end(),
                                         [&](const QRegularExpression& form) { return form.match(text).hasMatch(); });
        QVERIFY2(isKnown, qPrintable(QStringLiteral("not a text of the program: \"%1\"").arg(text)));
    }
}

void HelpDocumentTest::everyMessageIsQuoted() {
    const QStringList quoted = [] {
        QStringList texts;
        for (const QString& element : elementsOfClass(helpDocument(), QStringLiteral("text")))
            texts << plain(element);
        return texts;
    }();
    for (const std::string_view message : {ui::texts::kLargeFilePrompt, ui::texts::kSelectPlayerFirst,
                                           ui::texts::kHelpMissingPrompt, ui::texts::kChooseAnotherFile,
                                           ui::texts::kLogsLeftOut, ui::texts::kExportFailedAdvice,
                                           ui::texts::kSeasonOpenAdvice, ui::texts::kSeasonAddAdvice,
                                           ui::texts::kSeasonLogsLeftOut})
        QVERIFY2(quoted.contains(q(message)), message.data());
}

void HelpDocumentTest::sampleReportsAreWhatTheWindowWrites() {
    const QStringList samples = elementsOfClass(helpDocument(), QStringLiteral("report"));
    QCOMPARE(samples.size(), 2);

    // Fred: three axe kills; Jo: five rockets. Quake I : Standard.
    WindowWorld world;
    QStringList log;
    for (int i = 0; i < 3; ++i)
        log << QStringLiteral("Al was ax-murdered by Fred");
    for (int i = 0; i < 5; ++i)
        log << QStringLiteral("Al rides Jo's rocket");
    TestWindow window(world.store, world.backend, world.writeLog(QStringLiteral("a.log"), log).toStdString());
    window.Form_Load();
    QCOMPARE(window.lines("lstPlayers"), (QStringList{"Fred", "Jo"}));
    QCOMPARE(reportLines(window.lines("lst").join(u'\n')), reportLines(samples[0]));
    window.widget<QListWidget>("lstPlayers")->setCurrentRow(0);
    QCOMPARE(reportLines(window.lines("lst").join(u'\n')), reportLines(samples[1]));
}

void HelpDocumentTest::everyGameAndMenuItemIsDescribed() {
    // The help's text as a reader sees it, so that markup inside a name does not hide it.
    const QString text = plain(helpDocument());
    QVERIFY(!text.isEmpty());
    for (const engine::Game& game : engine::games())
        QVERIFY2(text.contains(q(game.displayName)), game.displayName.data());

    // The menus of the window itself, submenus included, so that a new item fails here at once.
    WindowWorld world;
    TestWindow window(world.store, world.backend, "");
    window.Form_Load();
    const auto* bar = window.findChild<QMenuBar*>();
    QVERIFY(bar);
    QList<QAction*> actions = bar->actions();
    int items = 0;
    // The season's items are required in the menus too, so that the help cannot outlive them.
    QStringList seasonItems = {menu(ui::texts::kMenuNewSeason), menu(ui::texts::kMenuOpenSeason),
                               menu(ui::texts::kMenuAddToSeason), menu(ui::texts::kMenuMatches)};
    while (!actions.isEmpty()) {
        const QAction* action = actions.takeFirst();
        if (action->menu())
            actions << action->menu()->actions();
        const QString caption = action->text().remove(u'&');
        if (action->isSeparator() || caption.isEmpty())
            continue;
        ++items;
        seasonItems.removeAll(caption);
        QVERIFY2(text.contains(caption), qPrintable(QStringLiteral("menu item missing from the help: ") + caption));
    }
    QVERIFY(items >= 16);
    QVERIFY2(seasonItems.isEmpty(), qPrintable(seasonItems.join(u',')));
}

QTEST_MAIN(HelpDocumentTest)
#include "help_document_test.moc"
