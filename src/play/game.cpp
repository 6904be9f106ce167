#include "play/game.h"

#include "core/check.h"

namespace nanaren {

namespace {

bool IsGridCoordinate(int c) {
    return c >= 0 && c < GridSize;
}

}  // namespace

Game::Game(int human, std::time_t clock, std::unique_ptr<Player> computer)
    : mHuman(human), mComputer(std::move(computer)) {
    mRandom.Seed(clock);
    FollowPosition();
}

Board::PutResult Game::PlayHuman(int x, int y) {
    NANAREN_ASSERT(mState == State::HumanToMove);
    if (x == -1 || y == -1) {
        // A pass is a move only where the person's last try was not refused.
        if (mLastResult == Board::Success) Play(mHuman, Pass, mRandom.State());
    } else if (IsGridCoordinate(x) && IsGridCoordinate(y)) {
        mLastResult = Play(mHuman, GetVertex(x, y), mRandom.State());
    } else {
        mLastResult = Board::Failure;
    }
    FollowPosition();
    return mLastResult;
}

void Game::RefuseHuman() {
    NANAREN_ASSERT(mState == State::HumanToMove);
    mLastResult = Board::Failure;
}

Vertex Game::PlayComputer(SearchObserver& observer) {
    NANAREN_ASSERT(mState == State::ComputerToMove);
    const std::uint32_t before = mRandom.State();
    const SearchResult chosen = mComputer->Think(mPosition, Computer(), mRandom, observer);
    mLastResult = Play(Computer(), chosen.move, before);
    NANAREN_ASSERT(mLastResult != Board::Failure);
    FollowPosition();
    return chosen.move;
}

bool Game::TakeBack() {
    if (mState == State::ComputerToMove) return false;
    const std::size_t count = mPosition.Moves().size();
    // The colours alternate, so the last move is the person's exactly when
    // the computer would be next; otherwise the person's is the one before.
    const std::size_t taken = mPosition.ToMove() == mHuman ? 2 : 1;
    if (count < taken) return false;
    const std::size_t keep = count - taken;
    while (mPosition.Moves().size() > keep)
        mPosition.Undo();
    mRandom.Restore(mRandomBefore[keep]);
    mRandomBefore.resize(keep);
    // The computer has just moved, or nothing has been played.
    mLastResult = keep == 0 ? Board::Failure : Board::Success;
    FollowPosition();
    return true;
}

std::optional<RecordError> Game::Replay(std::string_view record, SearchObserver& observer) {
    NANAREN_ASSERT(mPosition.Moves().empty());
    Position read;
    if (auto error = read.ReadRecord(record)) return error;
    const std::uint32_t seeded = mRandom.State();
    const std::vector<Vertex>& moves = read.Moves();
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (const auto reason = ReplayMove(moves[i], observer)) {
            Restart(seeded);
            return RecordError{static_cast<int>(i + 1), MoveText(moves[i]), *reason};
        }
    }
    return std::nullopt;
}

// One move of a replay; why it cannot stand, or nothing.
std::optional<std::string> Game::ReplayMove(Vertex move, SearchObserver& observer) {
    if (mState == State::HumanToMove) {
        const Board::PutResult result =
            move == Pass ? PlayHuman(-1, -1) : PlayHuman(GetX(move), GetY(move));
        if (move == Pass && mState == State::HumanToMove) return "the person cannot pass here";
        NANAREN_ASSERT(result != Board::Failure);  // the record was read as legal
        return std::nullopt;
    }
    const std::uint32_t before = mRandom.State();
    if (!mComputer->FollowSearch(mRandom)) {
        const Vertex chosen = mComputer->Think(mPosition, Computer(), mRandom, observer).move;
        if (chosen != move) return "the computer plays " + MoveText(chosen) + " here";
    }
    mLastResult = Play(Computer(), move, before);
    FollowPosition();
    return std::nullopt;
}

// Back to the start: no move, the generator as the game was seeded (a
// search refused before any move stood has drawn from it too).
void Game::Restart(std::uint32_t seeded) {
    mRandom.Restore(seeded);
    mRandomBefore.clear();
    mPosition.Restart();
    mLastResult = Board::Failure;
    FollowPosition();
}

Board::PutResult Game::Play(int color, Vertex v, std::uint32_t randomBefore) {
    const Board::PutResult result = mPosition.Play(color, v);
    if (result != Board::Failure) mRandomBefore.push_back(randomBefore);
    return result;
}

// Whose turn it is follows from the moves: the colours alternate.
void Game::FollowPosition() {
    const int winner = mPosition.Winner();
    if (winner != Empty) {
        mState = winner == mHuman ? State::HumanWon : State::ComputerWon;
    } else {
        mState = mPosition.ToMove() == mHuman ? State::HumanToMove : State::ComputerToMove;
    }
}

}  // namespace nanaren
