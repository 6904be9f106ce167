#pragma once

#include <array>

#include "messages.h"
#include "players/levels.h"

namespace nanaren {

// How each level is named and what it does, in words a player reads: UI text,
// which the engine's levels (settings only) leave to the front-ends. The
// Japanese is UTF-8.
struct LevelText {
    const char* name;         // a word for the level
    const char* description;  // how it plays
};

inline constexpr std::array<LevelText, LevelCount> EnglishLevelTexts = {{
    {"beginner", "plays at random now and then; for your first games"},
    {"novice", "blocks most lines, still blunders now and then"},
    {"casual", "blocks every line, misses longer threats"},
    {"club", "sees forced wins a few moves deep"},
    {"strong", "sees forced wins several moves deep"},
    {"expert", "reads further, a hard opponent"},
    {"master", "reads deep; under half a second a move"},
    {"grandmaster", "the strongest; about a second a move"},
}};

inline constexpr std::array<LevelText, LevelCount> JapaneseLevelTexts = {{
    {"入門", "ときどき適当に打ちます。初めての対局に"},
    {"初級", "たいていの列を止めますが、まだ失敗もします"},
    {"中級", "どの列も止めますが、長い狙いは見落とします"},
    {"上級", "数手先までの必勝手順を読みます"},
    {"有段", "さらに深く必勝手順を読みます"},
    {"高段", "もっと先まで読む、手ごわい相手です"},
    {"名人", "深く読みます。一手に0.5秒足らず"},
    {"大名人", "最強。一手に約1秒考えます"},
}};

// Level k's text, 1 to LevelCount.
inline const LevelText& LevelTextOf(int k, Language language) {
    return (language == Language::English ? EnglishLevelTexts : JapaneseLevelTexts)[k - 1];
}

}  // namespace nanaren
