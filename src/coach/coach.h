#pragma once

#include <vector>

#include "coach/analysis.h"
#include "coach/explain.h"
#include "coach/review.h"

namespace nanaren {

// The coach as a front-end uses it during a game: a suggested move with its
// reason, the reason for the last move, and the warning of a teaching mode.
// It owns one analyst (a strong player's store and a threat search),
// allocated once.
class Coach {
  public:
    explicit Coach(int level = DefaultHintLevel) : mAnalyst(AnalysisSettings(level)) {}

    // A move the coach suggests to the side to move, with its certain reason
    // where there is one, the side's chances with it and its line.
    struct Hint {
        Vertex move = Pass;
        MoveReason reason;
        double winRate = 0.5;
        std::vector<Vertex> line;
    };
    // The same position gets the same hint: the search draws from a
    // generator of its own, from its start state.
    Hint Suggest(const Position& position, SearchObserver& observer);

    // Why the game's last move was played, where that is certain.
    MoveReason ExplainLast(const Position& position) {
        return ExplainLastMove(position, mAnalyst.Threats());
    }

    // What the last move did that is certain: a win missed or allowed, with
    // its line; a teaching mode warns of the allowed ones.
    struct Warning {
        MoveClass kind = MoveClass::None;
        std::vector<Vertex> threat;
    };
    Warning CheckLast(const Position& position);

    Analyst& GetAnalyst() { return mAnalyst; }

  private:
    Analyst mAnalyst;
};

}  // namespace nanaren
