// A playout from a position reached by legal moves. The first byte's low bit
// gives the computer's colour, the next two bytes seed the generator as a
// clock would, and every further byte is a move (the top bit White, the rest
// a vertex) played as a search's descent plays it, with its threat flags.
// Refused moves and moves that would win are skipped, so the game is still
// open when the side after the last stone starts the playout. The playout
// must end, score 0.0, 0.5 or 1.0, and leave no Mark.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "core/check.h"
#include "search/playout_policy.h"

using namespace nanaren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    // A fresh policy each time: its line records outlive a search.
    PlayoutPolicy policy;
    const Board& board = policy.GetBoard();
    policy.SetMyColor(data[0] & 1 ? White : Black);
    Random random;
    random.Seed(data[1] | data[2] << 8);
    policy.SetRandom(random);

    int lastMover = Empty;
    for (std::size_t i = 3; i < size; ++i) {
        const int color = data[i] & 0x80 ? White : Black;
        const Vertex v = data[i] & 0x7F;
        if (v >= MaxVertexSize || board.Cell(v) != Empty) continue;
        if (board.CheckLine(v, color) == Board::Win) continue;
        if (policy.PlayDescentMove(v, color) != Board::Success) continue;
        lastMover = color;
    }
    if (lastMover == Empty) return 0;

    const float result = policy.Playout(Opposite(lastMover));
    NANAREN_ASSERT(result == 0.0f || result == 0.5f || result == 1.0f);
    for (Vertex v = 0; v < MaxVertexSize; ++v)
        NANAREN_ASSERT(board.Cell(v) != Mark);
    return 0;
}
