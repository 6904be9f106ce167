#include <benchmark/benchmark.h>

#include <vector>

#include "coach/coach.h"
#include "coach/review.h"
#include "play/self_play.h"
#include "players/registry.h"

namespace nanaren {
namespace {

// The first 40 moves of a game of level 4 against itself (clock 0, 42 moves), or as
// many as it has.
std::vector<Vertex> FortyMoves() {
    SelfPlay play({MakePlayer(LevelChoice{4}), MakePlayer(LevelChoice{4})}, 0);
    SearchObserver quiet;
    while (!play.IsOver() && play.Moves().size() < 40)
        play.PlayMove(quiet);
    return play.Moves();
}

// A whole review at the default review level.
void BM_ReviewOfFortyMoves(benchmark::State& state) {
    const std::vector<Vertex> moves = FortyMoves();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReviewGame(moves, AnalysisSettings(DefaultReviewLevel)));
    state.counters["moves"] = static_cast<double>(moves.size());
}
BENCHMARK(BM_ReviewOfFortyMoves)->Unit(benchmark::kSecond)->Iterations(1);

// A hint at the default hint level, after twenty moves.
void BM_Hint(benchmark::State& state) {
    const std::vector<Vertex> moves = FortyMoves();
    Position position;
    for (std::size_t i = 0; i < 20 && i < moves.size(); ++i)
        position.Play(moves[i]);
    Coach coach;
    SearchObserver quiet;
    for (auto _ : state)
        benchmark::DoNotOptimize(coach.Suggest(position, quiet));
}
BENCHMARK(BM_Hint)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace nanaren
