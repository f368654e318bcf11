#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "engine/game_catalogue.hpp"
#include "engine/log_set.hpp"
#include "engine/stats_store.hpp"
#include "tests/support/temp_dir.hpp"

// The small log of tests/export analysed as the command line does, for the golden files.
namespace fragtide::exports::testing {

inline const std::filesystem::path kFolder = FRAGTIDE_EXPORT_TESTS;

struct Analysed {
    std::unique_ptr<engine::StatsStore> store = std::make_unique<engine::StatsStore>();
    engine::LogSetResult result;
};

inline Analysed analyseSmallLog() {
    Analysed a;
    a.store->CurrentGame = "Quake I : Standard";
    engine::LoadWeaponNames(*a.store);
    const std::filesystem::path log = kFolder / "small.log";
    auto result = engine::analyzeLogSet(*a.store, engine::LogSet{{log}, {}});
    if (result)
        a.result = std::move(*result);
    return a;
}

// Compares with the golden file; FRAGTIDE_UPDATE_GOLDEN=1 writes it instead (check the diff).
inline std::string golden(const std::string& name, const std::string& got) {
    const auto file = kFolder / "golden" / name;
    if (std::getenv("FRAGTIDE_UPDATE_GOLDEN"))
        fragtide::testing::writeBytes(file, got);
    return fragtide::testing::readBytes(file);
}

}  // namespace fragtide::exports::testing
