#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "players/player.h"

namespace nanaren::gtp {

// What an analysis command asks for: lz-analyze writes its rates as integers
// in ten-thousandths, kata-analyze as fractions; both stream "info" lines
// until the next command.
struct AnalysisRequest {
    bool fractions = false;        // rates from 0 to 1 rather than 0 to 10000
    int color = 0;                 // the colour analysed, Empty for the side to move
    int intervalCentiseconds = 0;  // between lines while the search runs; 0: at the end only
    int maxMoves = 0;              // candidates per line at most, 0 for all
};

// The request of lz-analyze or kata-analyze: [colour] [interval], then
// "interval N" and "maxmoves N" in any order; other pairs of a key and a
// value are passed over. Why the arguments are none, otherwise.
std::variant<AnalysisRequest, std::string> ParseAnalysis(std::string_view name,
                                                         const std::vector<std::string>& arguments);

// The candidates that have visits, the most visited first, as one line of
// "info move E5 visits 120 winrate 5321 prior 1234 lcb 5012 order 0 pv E5 D4"
// groups; "" when none has a visit yet. The win rate is the mover's; lcb is
// it less 1.96 standard errors of a mean of that many results.
std::string InfoLine(const std::vector<Candidate>& candidates, const AnalysisRequest& request);

// The moves a line names at most.
inline constexpr int PvLength = 10;

// Watches a search for an analysis: ends it when stop is set, and writes an
// info line at every interval while it runs.
class AnalysisObserver : public SearchObserver {
  public:
    AnalysisObserver(const Player& player, const AnalysisRequest& request,
                     const std::atomic<bool>& stop, std::function<void(const std::string&)> emit);

    bool ShouldStop() override;

  private:
    const Player& mPlayer;                            // whose search runs
    const AnalysisRequest& mRequest;                  // the interval and the form
    const std::atomic<bool>& mStop;                   // set by the reader of commands
    std::function<void(const std::string&)> mEmit;    // writes one line
    std::chrono::steady_clock::time_point mNextLine;  // when the next line is due
};

}  // namespace nanaren::gtp
