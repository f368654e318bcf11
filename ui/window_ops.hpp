#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What the form controller and its analysis run may do to the main window, and nothing more.
//
// The Qt and Win32 main windows implement it with their controls; tests use a window of plain
// members (tests/support/recording_window.hpp). Every text crossing this interface is display text in UTF-8 (see
// display_text.hpp); names straight from a log never do. All calls come from the thread that
// owns the window and complete before they return; messageBox is modal.
namespace fragtide::ui {

// A message box's buttons and icon; each front end maps them onto its own.
enum class MessageStyle {
    YesNoQuestion,  // Yes and No, question icon, Yes the default
    OkInformation,  // OK, information icon
    OkCritical,     // OK, critical icon
};

enum class MessageAnswer { Ok, Yes, No };

// The report buttons, cmdOptions(0..3), in the column's order; Ranking, the fifth, is there only
// while a season is open (FormOps::setSeasonOpen), so kReportButtons leaves it out.
enum class ReportButton { GeneralInfo, PlayerInfo, IndividualInfo, RivalsInfo, Ranking };
inline constexpr ReportButton kReportButtons[] = {ReportButton::GeneralInfo, ReportButton::PlayerInfo,
                                                   ReportButton::IndividualInfo, ReportButton::RivalsInfo};

class WindowOps {
public:
    virtual ~WindowOps() = default;

    // lst, the report list: lines stay in the order added, never sorted.
    virtual void lstClear() = 0;
    virtual void lstAddItem(std::string_view text) = 0;

    // lstPlayers, the player list.
    virtual void lstPlayersClear() = 0;
    virtual void lstPlayersAddItem(std::string_view text) = 0;
    virtual int lstPlayersListCount() const = 0;
    virtual std::string lstPlayersList(int position) const = 0;

    // lbl(2), the player count.
    virtual void setPlayerCountCaption(std::string_view text) = 0;

    // PB, the progress bar. setProgressValue is called once per line of a log, millions of times
    // for a big one: an implementation keeps the value and redraws on its own schedule (at most
    // every few tens of milliseconds), never once per call.
    virtual void setProgressMin(double value) = 0;
    virtual void setProgressMax(double value) = 0;
    virtual void setProgressValue(double value) = 0;

    // The report buttons; the bold one names the report on show.
    virtual void setReportButtonEnabled(ReportButton button, bool enabled) = 0;
    virtual void setReportButtonBold(ReportButton button, bool bold) = 0;

    // CD's file name: the full path of the log to analyse (empty when none was chosen); with
    // several logs chosen, the first of them.
    virtual std::filesystem::path cdFileName() const = 0;

    // Every log chosen, in reading order: several when several were chosen together, else
    // cdFileName alone (nothing when that is empty). The default suits a window that only ever
    // holds one.
    virtual std::vector<std::filesystem::path> cdFileNames() const {
        std::filesystem::path one = cdFileName();
        if (one.empty())
            return {};
        return {std::move(one)};
    }

    // txtFile: the chosen file's name as shown ("N files" for several); "" means no file was chosen.
    virtual std::string txtFileText() const = 0;

    // frmMain's caption; Game Select names the chosen game there.
    virtual void setCaption(std::string_view text) = 0;

    // A modal message box; returns the button pressed.
    virtual MessageAnswer messageBox(std::string_view prompt, MessageStyle style,
                                     std::string_view title) = 0;
};

}  // namespace fragtide::ui
