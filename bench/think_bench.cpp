#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/random.h"
#include "players/exact_player.h"
#include "players/levels.h"
#include "players/registry.h"
#include "positions.h"

namespace nanaren {
namespace {

constexpr std::int32_t ThinkPlayouts = 20000;

// One full search per iteration from start, Black to move, each from a fresh
// generator, so that every run searches the same tree.
void RunThink(benchmark::State& state, const Position& start) {
    ExactPlayer uct(ExactSettings{ThinkPlayouts});
    SearchObserver quiet;
    for (auto _ : state) {
        Random random;
        benchmark::DoNotOptimize(uct.Think(start, Black, random, quiet));
    }
    // A search runs its playouts + 1 iterations.
    state.counters["playouts/s"] = benchmark::Counter(
        static_cast<double>(ThinkPlayouts + 1) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}

void BM_ThinkFromEmpty(benchmark::State& state) {
    const Position empty;
    RunThink(state, empty);
}
BENCHMARK(BM_ThinkFromEmpty)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ThinkFromMiddleGame(benchmark::State& state) {
    Position middle;
    if (!SetUpMiddleGame(middle)) {
        state.SkipWithError("the middle-game moves are no longer plain successes");
        return;
    }
    RunThink(state, middle);
}
BENCHMARK(BM_ThinkFromMiddleGame)->Unit(benchmark::kMillisecond)->Iterations(3);

// One move of the strong player at each level from the middle game, Black to
// move: the time a person waits for it, and its playouts per second.
void BM_LevelFromMiddleGame(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    Position middle;
    if (!SetUpMiddleGame(middle)) {
        state.SkipWithError("the middle-game moves are no longer plain successes");
        return;
    }
    const auto player = MakePlayer(LevelChoice{level});
    SearchObserver quiet;
    for (auto _ : state) {
        Random random;
        benchmark::DoNotOptimize(player->Think(middle, Black, random, quiet));
    }
    state.counters["playouts/s"] =
        benchmark::Counter(static_cast<double>(LevelSettings(level).playouts + 1) *
                               static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LevelFromMiddleGame)->DenseRange(1, LevelCount)->Unit(benchmark::kMillisecond);

// A named player's move from the middle game on a number of threads, timed
// by the clock on the wall: the speed-up of threads at equal lanes.
void BM_PlayerFromMiddleGame(benchmark::State& state, const char* name, int threads) {
    Position middle;
    if (!SetUpMiddleGame(middle)) {
        state.SkipWithError("the middle-game moves are no longer plain successes");
        return;
    }
    const auto player = MakePlayer(*ParsePlayer(name), threads);
    SearchObserver quiet;
    for (auto _ : state) {
        Random random;
        benchmark::DoNotOptimize(player->Think(middle, Black, random, quiet));
    }
}
BENCHMARK_CAPTURE(BM_PlayerFromMiddleGame, level7_1thread, "level:7", 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PlayerFromMiddleGame, level7_2threads, "level:7", 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PlayerFromMiddleGame, level8_1thread, "level:8", 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PlayerFromMiddleGame, level8_2threads, "level:8", 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace nanaren
