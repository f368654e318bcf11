#pragma once

#include <string>
#include <vector>

#include "engine/window_ops.hpp"

// The window fragtide-report writes its reports into: the report list and the player list as
// plain vectors of display text. Nothing is shown; the caller prints the lines. The other
// operations keep nothing, since the command line has no progress bar, buttons or dialogs.
namespace fragtide::cli {

class ReportWindow : public engine::WindowOps {
public:
    const std::vector<std::string>& lines() const { return m_lines; }

    void lstClear() override { m_lines.clear(); }
    void lstAddItem(std::string_view text) override { m_lines.emplace_back(text); }
    void lstPlayersClear() override { m_players.clear(); }
    void lstPlayersAddItem(std::string_view text) override { m_players.emplace_back(text); }
    int lstPlayersListCount() const override { return static_cast<int>(m_players.size()); }
    int lstPlayersListIndex() const override { return -1; }
    std::string lstPlayersList(int position) const override {
        return position >= 0 && position < lstPlayersListCount() ? m_players[position] : std::string();
    }
    void setPlayerCountCaption(std::string_view) override {}
    void setProgressMin(double) override {}
    void setProgressMax(double) override {}
    void setProgressValue(double) override {}
    double progressValue() const override { return 0; }
    void setReportButtonEnabled(int, bool) override {}
    void setReportButtonBold(int, bool) override {}
    std::filesystem::path cdFileName() const override { return {}; }
    std::string txtFileText() const override { return {}; }
    void setTxtFileText(std::string_view) override {}
    void setCaption(std::string_view) override {}
    // Never asked: the command line reads a log of any size without a question.
    engine::MessageAnswer messageBox(std::string_view, engine::MessageStyle, std::string_view) override {
        return engine::MessageAnswer::No;
    }

private:
    std::vector<std::string> m_lines;
    std::vector<std::string> m_players;
};

}  // namespace fragtide::cli
