#include "board_test_util.h"

#include <array>

#include "game/board_check.h"

namespace nanaren::testing {

void SetUpPosition(Board& board, std::initializer_list<std::string_view> rows) {
    board.ClearPosition();
    int y = 1;
    for (const std::string_view row : rows) {
        int x = 1;
        for (const char ch : row) {
            if (ch == ' ') continue;
            const int color = ch == '@' ? Black : ch == 'O' ? White : Empty;
            board.SetCell(GetVertex(x, y), color);
            ++x;
        }
        ++y;
    }
    board.ListEmptyPoints();
    board.SyncWithCells();
}

void ScatterStones(Board& board, std::mt19937& rng) {
    const unsigned emptyShare = 10 + rng() % 40;
    const unsigned blackShare = rng() % 100;
    const auto fresh = [&] {
        const unsigned roll = rng() % 100;
        if (roll < 3) return Mark;
        if (roll < emptyShare) return Empty;
        return rng() % 100 < blackShare ? Black : White;
    };
    for (int y = 1; y <= BoardSize; ++y) {
        for (int x = 1; x <= BoardSize; ++x) {
            const Vertex v = GetVertex(x, y);
            // Mostly a neighbour's colour already placed, for long runs along
            // the rows, the columns and the diagonals.
            const int copied = board.Cell(v + std::array{Left, Up, UpLeft, UpRight}[rng() % 4]);
            const bool copy = rng() % 3 != 0 && (copied == Black || copied == White);
            board.SetCell(v, copy ? copied : fresh());
        }
    }
    board.SyncWithCells();
}

::testing::AssertionResult IsConsistent(const Board& board) {
    const std::string fault = FindBoardFault(board);
    if (fault.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << fault;
}

::testing::AssertionResult EveryGroupHasLiberty(const Board& board) {
    const Vertex dead = FindDeadGroup(board);
    if (dead == -1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "group at " << dead << " is dead";
}

::testing::AssertionResult SamePosition(const Board& a, const Board& b) {
    const std::string difference = FindPositionDifference(a, b);
    if (difference.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << difference;
}

}  // namespace nanaren::testing
