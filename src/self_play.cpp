#include "self_play.h"

#include "check.h"
#include "uct.h"

namespace nanaren {

SelfPlay::SelfPlay(const std::array<std::int32_t, 2>& playouts, std::time_t clock) {
    mMoves.reserve(MaxMoves);
    Random = RandomStartState;
    for (const int color : {Black, White}) {
        mPlayers[ColorSlot(color)] = std::make_unique<Uct>(color, clock);
        Player(color).mPlayouts = playouts[ColorSlot(color)];
    }
}

SelfPlay::~SelfPlay() = default;

const Board& SelfPlay::Position() const {
    return mPlayers[0]->mBoard;
}

Vertex SelfPlay::PlayMove(std::ostream& out) {
    NANAREN_ASSERT(!mOver);
    const int mover = mToMove;
    Vertex vertex = -1;
    const Board::PutResult result = Player(mover).Think(vertex, out);
    mMoves.push_back(vertex);
    if (vertex == -1) {
        ++mPasses;
        ++mPassesInARow;
    } else {
        mPassesInARow = 0;
        const Board::PutResult echoed = Player(Opposite(mover)).PlayOpponentMove(vertex);
        NANAREN_ASSERT(echoed == result);
    }
    mToMove = Opposite(mover);
    if (result == Board::Win) mWinner = mover;
    mOver =
        result == Board::Win || mPassesInARow == 2 || static_cast<int>(mMoves.size()) >= MaxMoves;
    return vertex;
}

}  // namespace nanaren
