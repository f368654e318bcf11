// Writes the exported page of a made-up season, for the documentation's screenshot:
//
//   build/tests/write_season_page OUTPUT.html [PLAYERS MATCHES]
//
// then, for example, chromium --headless --window-size=1280,2400 --screenshot=docs/screenshots/season-page.png OUTPUT.html
#include <cstdio>
#include <string>

#include "export/atomic_file.hpp"
#include "export/season_html.hpp"
#include "tests/support/season_view_fixture.hpp"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: write_season_page OUTPUT.html [PLAYERS MATCHES]\n");
        return 2;
    }
    const int players = argc > 3 ? std::stoi(argv[2]) : 20;
    const int matches = argc > 3 ? std::stoi(argv[3]) : 30;
    const auto view = fragtide::testing::generatedSeasonView(players, matches);
    const std::string page = fragtide::exports::seasonHtmlExport(*view, "november");
    if (const auto written = fragtide::exports::writeFileAtomically(argv[1], page); !written) {
        std::fprintf(stderr, "%s\n", written.error().message.c_str());
        return 1;
    }
    return 0;
}
