#include <benchmark/benchmark.h>

#include "positions.h"
#include "search/playout_policy.h"

namespace nanaren {
namespace {

// Plays out from start again and again, Black to move; items are playouts.
void RunPlayouts(benchmark::State& state, const Position& start) {
    PlayoutPolicy policy;
    for (auto _ : state) {
        policy.SetPosition(start.GetBoard());
        policy.ClearThreats();
        benchmark::DoNotOptimize(policy.Playout(Black));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_PlayoutFromEmpty(benchmark::State& state) {
    const Position empty;
    RunPlayouts(state, empty);
}
BENCHMARK(BM_PlayoutFromEmpty);

void BM_PlayoutFromMiddleGame(benchmark::State& state) {
    Position middle;
    if (!SetUpMiddleGame(middle)) {
        state.SkipWithError("the middle-game moves are no longer plain successes");
        return;
    }
    RunPlayouts(state, middle);
}
BENCHMARK(BM_PlayoutFromMiddleGame);

}  // namespace
}  // namespace nanaren
