#pragma once

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/stats_store.hpp"
#include "settings/game_setting.hpp"
#include "settings/memory_backend.hpp"
#include "ui/qt/frmMain.hpp"

// The real main window with its seams answered by the test: message boxes are recorded and
// answered from a queue, the Browse dialog returns a prepared path, modal dialogs are operated by
// a callback instead of a modal loop, and the legacy help viewer is never really started.
namespace fragtide::testing {

using ui::MessageAnswer;
using ui::MessageStyle;

class TestWindow : public ui::frmMain {
public:
    struct Shown {
        QString prompt;
        MessageStyle style;
        QString title;
        bool formVisible;  // whether the main window was on screen when the box opened
    };

    using frmMain::frmMain;

    std::vector<Shown> messages;
    std::deque<MessageAnswer> answers;               // Yes / Ok when empty
    std::function<void()> duringMessage;             // runs inside each message box
    std::optional<QString> fileToChoose;             // nullopt: the dialog is cancelled
    QStringList filesToChoose;                       // several at once, when fileToChoose is nullopt
    std::vector<ui::OpenFileRequest> fileRequests;
    std::optional<ui::ChosenExportFile> exportToChoose;  // nullopt: the save dialog is cancelled
    std::vector<ui::ExportFileRequest> exportRequests;
    std::optional<std::filesystem::path> seasonToChoose;  // nullopt: the season dialog is cancelled
    std::function<int(QDialog&)> operateDialog;      // default: close it with Cancel
    std::vector<std::string> helpCommands;
    bool helpViewerStarts = false;
    int endedDuringRun = 0;  // close requests that would have ended the program during a run

    template <typename W>
    W* widget(const char* name) const {
        return findChild<W*>(QString::fromLatin1(name));
    }
    QStringList lines(const char* list) const {
        QStringList texts;
        const auto* box = widget<QListWidget>(list);
        for (int i = 0; i < box->count(); ++i)
            texts << box->item(i)->text();
        return texts;
    }
    QPushButton* reportButton(int index) const {
        return widget<QPushButton>(QStringLiteral("cmdOptions_%1").arg(index).toLatin1().constData());
    }
    // The index of the one bold report button, -1 when none or more than one is bold.
    int boldButton() const {
        int bold = -1;
        for (int i = 0; i < 3; ++i) {
            if (reportButton(i)->font().bold()) {
                if (bold >= 0)
                    return -1;
                bold = i;
            }
        }
        return bold;
    }

protected:
    MessageAnswer showMessage(const QString& prompt, MessageStyle style, const QString& title) override {
        messages.push_back({prompt, style, title, isVisible()});
        if (duringMessage)
            duringMessage();
        if (answers.empty())
            return style == MessageStyle::YesNoQuestion ? MessageAnswer::Yes : MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QStringList askForLogFiles(const ui::OpenFileRequest& request) override {
        fileRequests.push_back(request);
        return fileToChoose ? QStringList{*fileToChoose} : filesToChoose;
    }
    std::optional<ui::ChosenExportFile> askForExportFile(const ui::ExportFileRequest& request) override {
        exportRequests.push_back(request);
        return exportToChoose;
    }
    std::optional<std::filesystem::path> askForSeasonFile(const ui::SeasonFileRequest&) override {
        return seasonToChoose;
    }
    int execDialog(QDialog& dialog) override {
        return operateDialog ? operateDialog(dialog) : QDialog::Rejected;
    }
    bool startHelpViewer(const std::string& commandLine) override {
        helpCommands.push_back(commandLine);
        return helpViewerStarts;
    }
    void endProgramDuringRun() override { ++endedDuringRun; }
};

// A store, a settings backend and a temporary folder for the logs of one test.
struct WindowWorld {
    engine::StatsStore store;
    settings::MemoryBackend backend;
    QTemporaryDir folder;

    void storeGame(std::string_view game) { settings::saveSelectedGame(backend, game); }

    // Writes `lines`, each ended with CR LF, to a file in the folder and returns its path.
    QString writeLog(const QString& name, const QStringList& logLines) {
        const QString path = QDir(folder.path()).filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        for (const QString& line : logLines)
            file.write(line.toUtf8() + "\r\n");
        return path;
    }
};

// Bob scores first, then Alice; Carol only dies. Quake I : Standard messages.
inline QStringList threeKillLog() {
    return {QStringLiteral("Carol was ax-murdered by Bob"),
            QStringLiteral("Bob rides Alice's rocket"),
            QStringLiteral("Carol chewed on Bob's boomstick"),
            QStringLiteral("Carol becomes bored with life")};
}

}  // namespace fragtide::testing
