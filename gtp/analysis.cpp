#include "analysis.h"

#include <cmath>
#include <iomanip>
#include <sstream>

#include "core/parse.h"
#include "game/notation.h"

namespace nanaren::gtp {

namespace {

int ColorOf(std::string_view word) {
    if (word == "b" || word == "B" || word == "black" || word == "Black") return Black;
    if (word == "w" || word == "W" || word == "white" || word == "White") return White;
    return Empty;
}

std::string RateText(double rate, bool fractions) {
    std::ostringstream text;
    if (fractions) {
        text << std::fixed << std::setprecision(6) << rate;
    } else {
        text << std::lround(rate * 10000.0);
    }
    return text.str();
}

double LowerBound(const Candidate& candidate) {
    const double rate = candidate.winRate;
    const double error = std::sqrt(rate * (1.0 - rate) / candidate.visits);
    return std::max(0.0, rate - 1.96 * error);
}

}  // namespace

std::variant<AnalysisRequest, std::string> ParseAnalysis(
    std::string_view name, const std::vector<std::string>& arguments) {
    AnalysisRequest request;
    request.fractions = name == "kata-analyze";
    std::size_t at = 0;
    if (at < arguments.size() && ColorOf(arguments[at]) != Empty)
        request.color = ColorOf(arguments[at++]);
    const auto number = [&](std::size_t i) -> std::optional<int> {
        if (i >= arguments.size()) return std::nullopt;
        const auto value = ParseInteger<int>(arguments[i]);
        if (!value || *value < 0) return std::nullopt;
        return value;
    };
    if (const auto interval = number(at)) {
        request.intervalCentiseconds = *interval;
        ++at;
    }
    for (; at < arguments.size(); at += 2) {
        const std::string& key = arguments[at];
        if (at + 1 >= arguments.size()) return "a value is missing after " + key;
        if (key != "interval" && key != "maxmoves") continue;
        const auto value = number(at + 1);
        if (!value) return key + " takes a whole number";
        (key == "interval" ? request.intervalCentiseconds : request.maxMoves) = *value;
    }
    return request;
}

std::string InfoLine(const std::vector<Candidate>& candidates, const AnalysisRequest& request) {
    std::ostringstream line;
    int order = 0;
    for (const Candidate& candidate : candidates) {
        if (candidate.visits <= 0) continue;
        if (request.maxMoves > 0 && order == request.maxMoves) break;
        if (order > 0) line << ' ';
        line << "info move " << GtpVertexText(candidate.move) << " visits " << candidate.visits
             << " winrate " << RateText(candidate.winRate, request.fractions) << " prior "
             << RateText(candidate.prior, request.fractions) << " lcb "
             << RateText(LowerBound(candidate), request.fractions) << " order " << order << " pv";
        for (const Vertex move : candidate.line)
            line << ' ' << GtpVertexText(move);
        ++order;
    }
    return line.str();
}

AnalysisObserver::AnalysisObserver(const Player& player, const AnalysisRequest& request,
                                   const std::atomic<bool>& stop,
                                   std::function<void(const std::string&)> emit)
    : mPlayer(player),
      mRequest(request),
      mStop(stop),
      mEmit(std::move(emit)),
      mNextLine(std::chrono::steady_clock::now() +
                std::chrono::milliseconds(10 * request.intervalCentiseconds)) {}

bool AnalysisObserver::ShouldStop() {
    if (mStop.load(std::memory_order_relaxed)) return true;
    if (mRequest.intervalCentiseconds == 0) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now < mNextLine) return false;
    mNextLine = now + std::chrono::milliseconds(10 * mRequest.intervalCentiseconds);
    const std::string line = InfoLine(mPlayer.Candidates(PvLength), mRequest);
    if (!line.empty()) mEmit(line);
    return false;
}

}  // namespace nanaren::gtp
