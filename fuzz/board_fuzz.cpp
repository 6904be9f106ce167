// Arbitrary moves and colours through PutAt, one byte a move: the top bit
// picks White, the other seven a vertex from -3 to 124, so points beyond the
// grid are tried too. After every move the board must be consistent, a
// Success must leave no group without a liberty, a Failure must change
// nothing, and CopyPosition must reproduce the position. A win ends that
// board's game and the next move starts a fresh one.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/check.h"
#include "game/board.h"
#include "game/board_check.h"

namespace {

using nanaren::Board;

void RequireNoFault(const std::string& fault) {
    if (fault.empty()) return;
    std::fprintf(stderr, "board fault: %s\n", fault.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Board board;
    Board before;
    Board copy;
    for (std::size_t i = 0; i < size; ++i) {
        const int color = data[i] & 0x80 ? nanaren::White : nanaren::Black;
        const nanaren::Vertex v = (data[i] & 0x7F) - 3;
        before.CopyPosition(board);
        const Board::PutResult result = board.PutAt(v, color);
        if (result == Board::Win) {
            board.ClearPosition();
            continue;
        }
        RequireNoFault(nanaren::FindBoardFault(board));
        if (result == Board::Success) {
            NANAREN_ASSERT(nanaren::FindDeadGroup(board) == -1);
        } else {
            RequireNoFault(nanaren::FindPositionDifference(board, before));
        }
        copy.CopyPosition(board);
        RequireNoFault(nanaren::FindPositionDifference(copy, board));
        RequireNoFault(nanaren::FindBoardFault(copy));
    }
    return 0;
}
