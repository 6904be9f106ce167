// Every weight 1: no prior learned yet.
#include "players/move_prior_table.h"

namespace nanaren {

namespace {

constexpr PatternWeight Patterns[] = {{0, 1.0f}};

constexpr std::array<float, MaxGroupLevels> Ones = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
                                                    1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
                                                    1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};

}  // namespace

const LearnedPriorTable LearnedPriors = {
    Patterns, 1, 1.0f, {Ones, Ones, Ones, Ones, Ones, Ones, Ones, Ones, Ones, Ones, Ones, Ones}};

}  // namespace nanaren
