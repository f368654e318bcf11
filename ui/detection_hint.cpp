#include "ui/detection_hint.hpp"

#include "common/thousands.hpp"
#include "engine/display_text.hpp"
#include "ui/ui_texts.hpp"

namespace fragtide::ui {

std::string detectionHintText(std::string_view game, std::uint64_t lines, std::string_view other,
                              std::uint64_t kills) {
    std::string text(texts::kHintNoKillOf);
    text += game;
    text += texts::kHintFoundIn;
    text += withThousands(lines);
    text += lines == 1 ? texts::kHintLineLooksLike : texts::kHintLinesLooksLike;
    text += other;
    text += " (";
    text += withThousands(kills);
    text += kills == 1 ? texts::kHintKill : texts::kHintKills;
    return text;
}

}  // namespace fragtide::ui
