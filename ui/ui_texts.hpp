#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/version.hpp"
#include "reports/report_texts.hpp"

// The window's own words, spelled exactly as the window shows them, in one place. UTF-8.
namespace fragtide::ui::texts {

// Main window
inline constexpr std::string_view kDesignCaption = "Fragtide";
inline constexpr std::string_view kCaptionPrefix = "Fragtide (analyzing ";
inline constexpr std::string_view kCaptionSuffix = " log files)";
inline constexpr std::string_view kSelectLogFile = "Select a log file to analyse:";
// Buttons: "&" marks the access letter (Alt and the letter press the button).
inline constexpr std::string_view kBrowse = "&Browse...";
inline constexpr std::string_view kAnalyzeLog = "&Analyze Log";
inline constexpr std::string_view kTitle = "FRAGTIDE";
// lbl(1): "Version " + major.minor + the credit.
inline constexpr std::string_view kVersionCredit = "Version " FRAGTIDE_VERSION_SHORT "       by the Fragtide team";
inline constexpr std::string_view kGeneralInfo = reports::texts::kGeneralInfoName;
inline constexpr std::string_view kPlayerInfo = reports::texts::kPlayerInfoName;
inline constexpr std::string_view kIndividualInfo = reports::texts::kIndividualInfoName;
inline constexpr std::string_view kRivalsInfo = reports::texts::kRivalsInfoName;
// The report buttons' captions: the reports' names with their access letters.
inline constexpr std::string_view kGeneralInfoButton = "&General Info";
inline constexpr std::string_view kPlayerInfoButton = "&Player Info";
inline constexpr std::string_view kIndividualInfoButton = "&Individual Info";
inline constexpr std::string_view kRivalsInfoButton = "&Rivals Info";
inline constexpr std::string_view kRankingButton = "Ran&king";
// lbl(2): this, then the number of players listed.
inline constexpr std::string_view kPlayerCountPrefix = "Total players : ";

// Menus; "&" marks the access letter.
inline constexpr std::string_view kMenuFile = "&File";
inline constexpr std::string_view kMenuGameSelect = "&Game Select";
inline constexpr std::string_view kMenuExport = "&Export Report...";
inline constexpr std::string_view kMenuExit = "E&xit";
inline constexpr std::string_view kMenuView = "&View";
inline constexpr std::string_view kMenuNames = "&Names";
inline constexpr std::string_view kMenuWhoKilledWhom = "&Who Killed Whom...";
inline constexpr std::string_view kMenuHelp = "&Help";
inline constexpr std::string_view kMenuHelpTopics = "&Fragtide &Help Topics";
inline constexpr std::string_view kMenuAbout = "&About Fragtide...";
inline constexpr std::string_view kMenuGamesFolder = "&Games Folder";
inline constexpr std::string_view kMenuNewSeason = "&New Season...";
inline constexpr std::string_view kMenuOpenSeason = "&Open Season...";
inline constexpr std::string_view kMenuAddToSeason = "&Add Logs to Season...";
inline constexpr std::string_view kMenuMatches = "&Matches...";

// Messages
inline constexpr std::string_view kSelectPlayerFirst =
    "Select a player first, or analyze a new log file.";
inline constexpr std::string_view kSelectPlayerFirstTitle = "Error.";
inline constexpr std::string_view kStartupErrorTitle = "Error!";
// The help document missing: this, the path looked at on a line of its own, then the advice.
inline constexpr std::string_view kHelpMissingPrompt = "The help file was not found. Fragtide looked for it here:";
inline constexpr std::string_view kHelpMissingAdvice = "Reinstall Fragtide, or put Fragtide.html back at that path.";
// The help document there but no viewer could show it: this, then the path on a line of its own.
inline constexpr std::string_view kHelpNotShownPrompt = "The help file could not be shown:";
inline constexpr std::string_view kHelpErrorTitle = "Help Error.";
inline constexpr std::string_view kLargeFilePrompt =
    "This file is larger than 1 Megabyte. Are you sure you wish to analyze it (it could take "
    "several minutes)?";
inline constexpr std::string_view kLargeFileTitle = "Large File Size.";
inline constexpr std::string_view kErrorTitle = "Error.";
// Added after the reason when a log cannot be read from the window.
inline constexpr std::string_view kChooseAnotherFile = "Choose another file with Browse.";
// Several logs analysed as one, some of which could not be read: this, then one line per log.
inline constexpr std::string_view kLogsLeftOut =
    "These logs could not be read, so the results shown leave them out:";
inline constexpr std::string_view kGameFilesRefusedTitle = "Game Files.";
inline constexpr std::string_view kGamesFolderErrorTitle = "Games Folder.";

// The game files refused at start-up, one "file:line:column: why" a line.
inline std::string gameFilesRefused(const std::vector<std::string>& refusals) {
    std::string text = "These game files were left out:\n";
    for (const std::string& refusal : refusals)
        text += "\n" + refusal;
    return text + "\n\nCorrect them and start Fragtide again; the other games are ready.";
}

inline std::string gamesFolderError(const std::string& folder) {
    return "The games folder '" + folder + "' could not be created or opened. Open it yourself to add game files.";
}

// The names menu's entries, in the order of engine::NameDisplay; "&" marks the access letter.
inline constexpr std::string_view kNamesAutomatic = "&Automatic";
inline constexpr std::string_view kNamesUtf8 = "&UTF-8";
inline constexpr std::string_view kNamesWindows1252 = "&Windows-1252";
inline constexpr std::string_view kNamesQuake = "&Quake";

// The detection hint below the report list:
// "No kill of " + game + " found in " + lines + " lines. This looks like a " + other + " (" + kills
// + " kills)." ("line" and "kill" for one) and the button "Analyze as " + other.
inline constexpr std::string_view kHintNoKillOf = "No kill of ";
inline constexpr std::string_view kHintFoundIn = " found in ";
inline constexpr std::string_view kHintLinesLooksLike = " lines. This looks like a ";
inline constexpr std::string_view kHintLineLooksLike = " line. This looks like a ";
inline constexpr std::string_view kHintKills = " kills).";
inline constexpr std::string_view kHintKill = " kill).";
inline constexpr std::string_view kHintButtonPrefix = "Analyze as ";

// Browse dialog: "Open " + game + " LOG File...", filters in this order.
inline constexpr std::string_view kOpenTitlePrefix = "Open ";
inline constexpr std::string_view kOpenTitleSuffix = " LOG File...";
inline constexpr std::string_view kGameLogFilterSuffix = " LOG Files (*.log)";
inline constexpr std::string_view kTextFilesFilter = "Text Files (*.txt)";
inline constexpr std::string_view kAllFilesFilter = "All Files (*.*)";
inline constexpr std::string_view kDefaultSuffix = "log";

// txtFile when several logs are chosen together: the count, then this.
inline constexpr std::string_view kFilesSuffix = " files";

// Export Report: the save dialog, and what a failed write says (after the reason).
inline constexpr std::string_view kExportTitle = "Export Report";
inline constexpr std::string_view kExportHtmlFilter = "HTML page (*.html)";
inline constexpr std::string_view kExportCsvFilter = "CSV for spreadsheets (*.csv)";
inline constexpr std::string_view kExportDefaultStem = "fragtide";
inline constexpr std::string_view kExportFailedAdvice =
    "Any earlier file of that name is unchanged. Export again to another folder or name.";
inline constexpr std::string_view kExportErrorTitle = "Export Error.";
// A written export, titled kExportTitle: "The report was exported to " + path + ".".
inline constexpr std::string_view kExportDonePrefix = "The report was exported to ";
inline constexpr std::string_view kExportDoneSuffix = ".";

// Seasons: the dialogs' titles and filters, the matches window's title ("Matches: " + the
// season's name), and what a refused season or a failed add says after the reason.
inline constexpr std::string_view kNewSeasonTitle = "New Season";
inline constexpr std::string_view kOpenSeasonTitle = "Open Season";
inline constexpr std::string_view kAddToSeasonTitle = "Add Logs to Season";
inline constexpr std::string_view kSeasonFilter = "Fragtide seasons (*.fragtide-season)";
inline constexpr std::string_view kSeasonPattern = "*.fragtide-season";
inline constexpr std::string_view kSeasonSuffix = "fragtide-season";
inline constexpr std::string_view kLogFilesFilter = "LOG Files (*.log)";
inline constexpr std::string_view kMatchesTitlePrefix = "Matches: ";
inline constexpr std::string_view kSeasonErrorTitle = "Season Error.";
inline constexpr std::string_view kSeasonOpenAdvice =
    "Choose a season that Fragtide made, or make a new one with File, New Season.";
inline constexpr std::string_view kSeasonAddAdvice =
    "The season keeps what was added before. If another Fragtide is adding to this season, wait until it "
    "has finished, then add the logs again.";
inline constexpr std::string_view kSeasonLogsLeftOut =
    "These logs could not be read, so the season leaves them out; the others were added:";

// "Fragtide (season " + name + ", " + game + ")"; without a game yet, "Fragtide (season " + name + ")".
inline std::string seasonCaption(std::string_view name, std::string_view game) {
    std::string caption = "Fragtide (season ";
    caption += name;
    if (!game.empty()) {
        caption += ", ";
        caption += game;
    }
    return caption + ")";
}

// Who killed whom
inline constexpr std::string_view kWhoKilledWhomTitle = "Who Killed Whom";
// The corner above the killers' names and left of the victims', and its tooltip.
inline constexpr std::string_view kWhoKilledWhomCorner = "Killer \\ Victim";
inline constexpr std::string_view kWhoKilledWhomCornerTip =
    "Each row is a killer, each column a victim: a cell counts the row's frags on the column.";
inline constexpr std::string_view kCopy = "Copy";
inline constexpr std::string_view kClose = "Close";

// Game Select
inline constexpr std::string_view kGameSelectTitle = "Game Select";
inline constexpr std::string_view kGameSelectLabel = "Select the game you wish to analyze logs of :";
// Under the list: this, then the selected game's description.
inline constexpr std::string_view kGameSelectReads = "Reads ";
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kCancel = "Cancel";

// Help and About
inline constexpr std::string_view kWinHelpCommand = "c:\\windows\\winhelp.exe ";
inline constexpr std::string_view kHelpFileName = "Fragtide.html";
inline constexpr std::string_view kHelpViewerTitle = "Fragtide Help";
inline constexpr std::string_view kAboutTitle = "About Fragtide...";
inline constexpr std::string_view kAboutCredit = "FRAGTIDE, written by the Fragtide team";
inline constexpr std::string_view kAboutContact =
    "Questions or suggestions about this program are welcome: write to fragtide@example.org.";
inline constexpr std::string_view kAboutDescription =
    "This program analyzes and shows statistics of all kinds of games and their associated "
    "modifications (MODs). These games include: Quake 1, Quake 2, Action Quake 2, Half-Life "
    "Counter-Strike, ... More games are constantly added to the list, so regularly check for an "
    "update!";

// lbl(2)'s text for `players` players listed.
inline std::string playerCountCaption(std::size_t players) {
    return std::string(kPlayerCountPrefix) + std::to_string(players);
}

// The "Help Error." message for the help document at `path` (UTF-8): missing, or not shown.
inline std::string helpErrorPrompt(std::string_view path, bool missing) {
    std::string prompt(missing ? kHelpMissingPrompt : kHelpNotShownPrompt);
    prompt += "\n";
    prompt += path;
    if (missing) {
        prompt += "\n";
        prompt += kHelpMissingAdvice;
    }
    return prompt;
}

// "Fragtide (analyzing " + game + " log files)"
inline std::string mainCaption(std::string_view game) {
    std::string caption(kCaptionPrefix);
    caption += game;
    caption += kCaptionSuffix;
    return caption;
}

}  // namespace fragtide::ui::texts
