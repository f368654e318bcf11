// Writes a synthetic server log of the given size for the log readers' benchmarks.
//
//   make_server_log hl|q2-stdlog MEGABYTES FILE
// hl: a Counter-Strike-style server log (time stamps; kills, team kills, suicides, and the damage,
// chat and team lines that outnumber them on real servers). q2-stdlog: StdLog 1.2 records.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace {

const char* const kNames[] = {"Rook", "Nadia", "[BOT] Ivo", "Selwyn \"The Wall\"", "<<Kay>>", "Zo\xc3\xab",
                              "Mo", "x", "Player", "Anna Lee"};
const char* const kHlWeapons[] = {"ak47", "m4a1", "awp", "deagle", "usp", "glock18", "knife", "grenade", "crowbar"};
const char* const kQ2Weapons[] = {"Railgun", "Rocket Launcher", "Blaster", "SUPER SHOTGUN", "Machinegun",
                                  "Grappling Hook", "Telefrag", "BFG10K"};

std::string hlPlayer(std::mt19937& rng, int who) {
    const int team = std::uniform_int_distribution<int>(0, 3)(rng);
    return std::string("\"") + kNames[who] + "<" + std::to_string(who + 1) + "><" +
           (who % 3 == 2 ? "BOT" : "STEAM_0:1:" + std::to_string(who * 7919)) + "><" +
           (team == 0 ? "CT" : "TERRORIST") + ">\"";
}

std::string hlLine(std::mt19937& rng) {
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const int killer = pick(10);
    const int victim = pick(10);
    const std::string weapon = kHlWeapons[pick(9)];
    std::string line = "L 12/07/2026 - 20:" + std::to_string(10 + pick(50)) + ":" + std::to_string(10 + pick(50)) + ": ";
    switch (pick(10)) {
    case 0: case 1: case 2:
        return line + hlPlayer(rng, killer) + " killed " + hlPlayer(rng, victim) + " with \"" + weapon + "\"" +
               (pick(4) == 0 ? " (headshot)" : "");
    case 3:
        return line + hlPlayer(rng, killer) + " committed suicide with \"world\"";
    case 4: case 5: case 6:
        return line + hlPlayer(rng, killer) + " attacked " + hlPlayer(rng, victim) + " with \"" + weapon +
               "\" (damage \"27\") (damage_armor \"0\") (health \"73\") (armor \"0\")";
    case 7:
        return line + hlPlayer(rng, killer) + " say \"gg\"";
    case 8:
        return line + hlPlayer(rng, killer) + " triggered \"Got_The_Bomb\"";
    default:
        return line + "Team \"CT\" scored \"3\" with \"5\" players";
    }
}

std::string stdLogLine(std::mt19937& rng) {
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    switch (pick(8)) {
    case 0:
        return std::string("\t") + kNames[pick(10)] + "\tSuicide\tLava\t-1\t" + std::to_string(pick(900)) + "\t40";
    case 1:
        return std::string("\t\tPlayerConnect\t") + kNames[pick(10)] + "\t\t" + std::to_string(pick(900));
    default:
        return std::string(kNames[pick(10)]) + "\t" + kNames[pick(10)] + "\tKill\t" + kQ2Weapons[pick(8)] + "\t" +
               std::to_string(pick(50)) + "\t" + std::to_string(pick(900)) + "\t" + std::to_string(pick(200));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string_view(argv[1]) != "hl" && std::string_view(argv[1]) != "q2-stdlog")) {
        std::fprintf(stderr, "usage: make_server_log hl|q2-stdlog MEGABYTES FILE\n");
        return 2;
    }
    const bool hl = std::string_view(argv[1]) == "hl";
    const std::uint64_t bytes = std::strtoull(argv[2], nullptr, 10) << 20;
    std::ofstream out(argv[3], std::ios::binary);
    std::mt19937 rng(1207);
    if (!hl)
        out << "\t\tStdLog\t1.2\n\t\tPatchName\tbench\n\t\tMap\tq2dm1\n";
    std::string block;
    for (std::uint64_t written = 0; written < bytes;) {
        block.clear();
        while (block.size() < (1 << 16))
            block += (hl ? hlLine(rng) : stdLogLine(rng)) + "\n";
        out << block;
        written += block.size();
    }
    return out ? 0 : 1;
}
