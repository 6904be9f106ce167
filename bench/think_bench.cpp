#include <benchmark/benchmark.h>

#include <cstdint>
#include <ostream>

#include "positions.h"
#include "uct.h"

namespace nanaren {
namespace {

constexpr std::int32_t ThinkPlayouts = 20000;

// One full search per iteration from start, Black to move, with the generator
// reset each time so that every run searches the same tree.
void RunThink(benchmark::State& state, const Board& start) {
    Uct uct(Black, 0);
    uct.mPlayouts = ThinkPlayouts;
    std::ostream discard(nullptr);  // no streambuf: the report goes nowhere
    for (auto _ : state) {
        uct.mBoard.CopyPosition(start);
        uct.mMoveCount = 0;
        Random = RandomStartState;
        Vertex vertex = -1;
        benchmark::DoNotOptimize(uct.Think(vertex, discard));
        benchmark::DoNotOptimize(vertex);
    }
    // A search runs mPlayouts + 1 iterations.
    state.counters["playouts/s"] = benchmark::Counter(
        static_cast<double>(ThinkPlayouts + 1) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}

void BM_ThinkFromEmpty(benchmark::State& state) {
    const Board empty;
    RunThink(state, empty);
}
BENCHMARK(BM_ThinkFromEmpty)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ThinkFromMiddleGame(benchmark::State& state) {
    Board middle;
    if (!SetUpMiddleGame(middle)) {
        state.SkipWithError("the middle-game moves are no longer plain successes");
        return;
    }
    RunThink(state, middle);
}
BENCHMARK(BM_ThinkFromMiddleGame)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace nanaren
