#include "game.h"

#include "check.h"

namespace nanaren {

namespace {

bool IsGridCoordinate(int c) {
    return c >= 0 && c < GridSize;
}

}  // namespace

Game::Game(int human, std::time_t clock, std::optional<std::int32_t> playouts)
    : mHuman(human), mState(human == Black ? State::HumanToMove : State::ComputerToMove) {
    Random = RandomStartState;
    mPlayer = std::make_unique<Uct>(Opposite(human), clock);
    if (playouts) mPlayer->mPlayouts = *playouts;
}

Vertex Game::LastMove() const {
    const Board& board = Position();
    return board.mRecordSize == 0 ? -1 : board.mRecord[board.mRecordSize - 1];
}

Board::PutResult Game::PlayHuman(int x, int y) {
    NANAREN_ASSERT(mState == State::HumanToMove);
    if (x != -1 && y != -1) {
        // A vertex of -1 is no point of the grid: refused, yet an attempt.
        const bool onGrid = IsGridCoordinate(x) && IsGridCoordinate(y);
        mLastResult = mPlayer->PlayOpponentMove(onGrid ? GetVertex(x, y) : -1);
    }
    SetStateAfterHuman();
    return mLastResult;
}

void Game::RefuseHuman() {
    NANAREN_ASSERT(mState == State::HumanToMove);
    mLastResult = Board::Failure;
}

Vertex Game::PlayComputer(SearchObserver& observer) {
    NANAREN_ASSERT(mState == State::ComputerToMove);
    Vertex vertex = -1;
    mLastResult = mPlayer->Think(vertex, observer);
    mState = mLastResult == Board::Win ? State::ComputerWon : State::HumanToMove;
    return vertex;
}

void Game::SetStateAfterHuman() {
    if (mLastResult == Board::Win) {
        mState = State::HumanWon;
    } else if (mLastResult == Board::Success) {
        mState = State::ComputerToMove;
    }
}

}  // namespace nanaren
