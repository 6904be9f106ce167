#include "uct.h"

#include "tree.h"

namespace nanaren {

Uct::Uct(int color, std::time_t clock) : mPlayouts(ReadPlayoutCount()) {
    mBoard.ClearPosition();
    mMoveCount = 0;
    mMyColor = color;
    SeedRandom(clock);
    mTree = std::make_unique<Tree>();
}

Uct::~Uct() = default;

Board::PutResult Uct::PlayOpponentMove(Vertex v) {
    ++mMoveCount;
    return mBoard.PutAt(v, Opposite(mMyColor));
}

}  // namespace nanaren
