#pragma once

#include <vector>

#include "coach/tactics.h"
#include "core/random.h"
#include "game/position.h"
#include "players/levels.h"
#include "players/strong_player.h"

namespace nanaren {

// The levels whose searches analyse positions by default: each hint, and
// each position of a review.
inline constexpr int DefaultHintLevel = 6;
inline constexpr int DefaultReviewLevel = 6;

// A level's settings for analysis: its search, without the random moves of
// the bottom levels.
StrongSettings AnalysisSettings(int level);

// One position analysed: the exact facts, and the moves the strong player's
// search weighed, with the chances of the side to move.
struct PositionAnalysis {
    TacticalFacts facts;
    std::vector<Candidate> candidates;  // the most visited first
    Vertex best = Pass;                 // the move the search chose; Pass when there is none
    double winRate = 0.5;               // the side to move's chances, 0 to 1: exact where the
                                        // facts decide, else the search's for its move
};

// Analyses positions with the strong player at the given settings, its tree's
// store and the threat search allocated once. The same position, settings
// and generator give the same analysis.
class Analyst {
  public:
    // Lines of candidates are up to this many moves long.
    static constexpr int LineLength = 8;

    explicit Analyst(const StrongSettings& settings);
    Analyst(const Analyst&) = delete;
    Analyst& operator=(const Analyst&) = delete;

    // The analysis of the position for its side to move, its search drawing
    // from random and reporting to observer. A finished game has facts and
    // its result alone.
    PositionAnalysis Analyse(const Position& position, Random& random, SearchObserver& observer);
    // The exact facts alone.
    TacticalFacts Facts(const Position& position);

    ThreatSearch& Threats() { return mThreats; }

  private:
    StrongPlayer mPlayer;   // the search
    ThreatSearch mThreats;  // the exact facts
};

}  // namespace nanaren
