#include <benchmark/benchmark.h>

#include "game/board.h"

namespace nanaren {
namespace {

// Fills the board in list order, both colours alternating, as a playout does.
void BM_FillBoardByPut(benchmark::State& state) {
    Board board;
    Board empty;
    for (auto _ : state) {
        board.CopyPosition(empty);
        int color = Black;
        for (int tries = 0; tries < 200 && board.EmptyCount() > 0; ++tries) {
            const Board::PutResult r = board.Put(tries % board.EmptyCount(), color);
            if (r == Board::Win) break;
            if (r == Board::Success) color = Opposite(color);
        }
        benchmark::DoNotOptimize(board.EmptyCount());
    }
}
BENCHMARK(BM_FillBoardByPut);

void BM_CopyPosition(benchmark::State& state) {
    Board board;
    for (int i = 0; i < 40; ++i)
        board.Put(i % board.EmptyCount(), i % 2 ? White : Black);
    Board copy;
    for (auto _ : state) {
        copy.CopyPosition(board);
        benchmark::DoNotOptimize(copy.EmptyCount());
    }
}
BENCHMARK(BM_CopyPosition);

}  // namespace
}  // namespace nanaren
