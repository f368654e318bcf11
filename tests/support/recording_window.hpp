#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/ui_texts.hpp"
#include "ui/window_ops.hpp"

// A window made of plain members: it keeps what the form controller shows (the report list, the
// player list, the progress bar, the buttons, the messages) and answers message boxes from a queue
// (Yes, or OK, when the queue is empty). Tests drive the controller with one and look at
// everything. Not thread-safe, like any window.
namespace fragtide::testing {

using ui::MessageAnswer;
using ui::MessageStyle;
using ui::ReportButton;


class RecordingWindow : public ui::WindowOps {
public:
    struct Message {
        std::string prompt;
        MessageStyle style;
        std::string title;
    };

    std::vector<std::string> lst;
    std::vector<std::string> players;
    std::string playerCount = ui::texts::playerCountCaption(0);
    double progressMin = 0, progressMax = 100, progress = 0;
    long progressCalls = 0;
    double progressPeak = 0;
    // By ReportButton.
    bool enabled[5] = {false, false, false, false, false};
    bool bold[5] = {true, false, false, false, false};
    std::filesystem::path fileName;
    std::vector<std::filesystem::path> fileNames;  // several chosen together; empty: fileName alone
    std::string txtFile;
    std::string caption = "Fragtide";
    std::vector<Message> messages;
    std::deque<MessageAnswer> answers;

    void lstClear() override { lst.clear(); }
    void lstAddItem(std::string_view text) override { lst.emplace_back(text); }
    void lstPlayersClear() override { players.clear(); }
    void lstPlayersAddItem(std::string_view text) override { players.emplace_back(text); }
    int lstPlayersListCount() const override { return static_cast<int>(players.size()); }
    std::string lstPlayersList(int position) const override {
        return position >= 0 && position < lstPlayersListCount() ? players[position] : std::string();
    }
    void setPlayerCountCaption(std::string_view text) override { playerCount = text; }
    void setProgressMin(double v) override { progressMin = v; }
    void setProgressMax(double v) override { progressMax = v; }
    void setProgressValue(double v) override {
        progress = v;
        ++progressCalls;
        if (v > progressPeak)
            progressPeak = v;
    }
    void setReportButtonEnabled(ReportButton b, bool e) override { enabled[static_cast<int>(b)] = e; }
    void setReportButtonBold(ReportButton b, bool on) override { bold[static_cast<int>(b)] = on; }
    std::filesystem::path cdFileName() const override { return fileName; }
    std::vector<std::filesystem::path> cdFileNames() const override {
        return fileNames.empty() ? ui::WindowOps::cdFileNames() : fileNames;
    }
    std::string txtFileText() const override { return txtFile; }
    void setCaption(std::string_view text) override { caption = text; }
    MessageAnswer messageBox(std::string_view prompt, MessageStyle style,
                                     std::string_view title) override {
        messages.push_back({std::string(prompt), style, std::string(title)});
        if (answers.empty())
            return style == MessageStyle::YesNoQuestion ? MessageAnswer::Yes
                                                                : MessageAnswer::Ok;
        const auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace fragtide::testing
