#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/stats_store.hpp"
#include "settings/memory_backend.hpp"
#include "tests/support/recording_window.hpp"
#include "tests/support/temp_dir.hpp"
#include "ui/form_controller.hpp"

// The world of a form controller test: a store, settings, a recording window and fake dialogs.
namespace fragtide::ui {
namespace {

using fragtide::testing::RecordingWindow;
namespace fs = std::filesystem;

// The dialogs and platform of a front end, answered by the test and recorded.
class FakeForm : public FormOps {
public:
    explicit FakeForm(RecordingWindow& window) : m_window(window) {}

    std::optional<fs::path> fileToChoose;  // nothing: Browse is cancelled
    std::vector<fs::path> filesToChoose;   // several at once, when fileToChoose is nothing
    std::optional<ChosenExportFile> exportToChoose;  // nothing: the save dialog is cancelled
    std::vector<ExportFileRequest> exportRequests;
    std::optional<bool> exportEnabled;  // nothing: never set
    std::vector<OpenFileRequest> fileRequests;
    std::optional<int> gameToChoose;  // nothing: Game Select is cancelled
    std::vector<GameSelectChoice> gameChoices;
    std::vector<AboutTexts> abouts;
    std::vector<std::string> started;
    bool programStarts = false;
    std::vector<fs::path> helpShown;
    bool helpShows = true;
    int runsStarted = 0, runsFinished = 0, endedDuringRun = 0, quits = 0, windowsShownNow = 0;
    bool runningNow = false;
    std::optional<DetectionHint> hint;
    int hintCalls = 0;
    int namesChecked = -1;
    std::vector<reports::RivalsMatrix> matrices;  // shown
    int matrixUpdates = 0;

    void setChosenFiles(const std::vector<fs::path>& paths, std::string_view shownName) override {
        m_window.fileName = paths.front();
        m_window.fileNames = paths.size() > 1 ? paths : std::vector<fs::path>{};
        m_window.txtFile = shownName;
    }
    std::vector<fs::path> chooseLogFiles(const OpenFileRequest& request) override {
        fileRequests.push_back(request);
        if (fileToChoose)
            return {*fileToChoose};
        return filesToChoose;
    }
    std::optional<ChosenExportFile> chooseExportFile(const ExportFileRequest& request) override {
        exportRequests.push_back(request);
        return exportToChoose;
    }
    void setExportEnabled(bool enabled) override { exportEnabled = enabled; }
    std::optional<int> runGameSelect(const GameSelectChoice& choice) override {
        gameChoices.push_back(choice);
        return gameToChoose;
    }
    void runAbout(const AboutTexts& texts) override { abouts.push_back(texts); }
    bool startProgram(const std::string& commandLine) override {
        started.push_back(commandLine);
        return programStarts;
    }
    bool showHelpDocument(const fs::path& path) override {
        helpShown.push_back(path);
        return helpShows;
    }
    std::vector<fs::path> foldersOpened;
    bool folderOpens = true;
    bool openFolder(const fs::path& folder) override {
        foldersOpened.push_back(folder);
        return folderOpens;
    }
    void runStarting() override {
        ++runsStarted;
        runningNow = true;
    }
    void runFinished() override {
        ++runsFinished;
        runningNow = false;
    }
    void endProgramDuringRun() override { ++endedDuringRun; }
    void quit() override { ++quits; }
    void showWindowNow() override { ++windowsShownNow; }
    void showDetectionHint(const std::optional<DetectionHint>& shown) override {
        hint = shown;
        ++hintCalls;
    }
    void setNameDisplayChecked(int index) override { namesChecked = index; }
    void showWhoKilledWhom(const reports::RivalsMatrix& matrix, engine::NameDisplay) override {
        matrices.push_back(matrix);
    }
    void updateWhoKilledWhom(const reports::RivalsMatrix&, engine::NameDisplay) override { ++matrixUpdates; }

    std::optional<fs::path> seasonToChoose;  // nothing: the season dialog is cancelled
    std::vector<SeasonFileRequest> seasonRequests;
    bool seasonOpen = false;
    std::vector<MatchesTable> matchesShown;
    int matchesUpdates = 0;
    std::optional<fs::path> chooseSeasonFile(const SeasonFileRequest& request) override {
        seasonRequests.push_back(request);
        return seasonToChoose;
    }
    void setSeasonOpen(bool open) override { seasonOpen = open; }
    void showMatches(const MatchesTable& table) override { matchesShown.push_back(table); }
    void updateMatches(const MatchesTable&) override { ++matchesUpdates; }

private:
    RecordingWindow& m_window;
};

// A store, settings, a window, the dialogs and a folder for the logs of one test.
struct World {
    engine::StatsStore store;
    settings::MemoryBackend backend;
    RecordingWindow window;
    FakeForm form{window};
    fragtide::testing::TempDir folder;
    fs::path programFolder = folder.path() / "program";

    World() { fs::create_directories(programFolder); }

    FormController controller(std::string commandLine = "") {
        return FormController(store, backend, window, form, std::move(commandLine), programFolder);
    }
    // `lines`, each ended with CR LF.
    fs::path log(const std::string& name, const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& line : lines)
            bytes += line + "\r\n";
        return folder.write(name, bytes);
    }
    std::string firstLine() const { return window.lst.empty() ? std::string() : window.lst.front(); }
    int boldButton() const {
        int bold = -1;
        for (int i = 0; i < 4; ++i) {
            if (window.bold[i]) {
                if (bold >= 0)
                    return -1;
                bold = i;
            }
        }
        return bold;
    }
};

}  // namespace
}  // namespace fragtide::ui
