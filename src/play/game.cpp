#include "play/game.h"

#include <algorithm>

#include "core/check.h"
#include "game/notation.h"

namespace nanaren {

Game::Game(int human, std::time_t clock, std::unique_ptr<Player> computer)
    : mHuman(human), mComputer(std::move(computer)) {
    mRandom.Seed(clock);
}

Game::State Game::CurrentState() const {
    if (IsOver()) return State::Over;
    return IsPerson(mPosition.ToMove()) ? State::PersonToMove : State::ComputerToMove;
}

MoveOutcome Game::Play(Vertex v) {
    if (IsOver()) return MoveOutcome::RefusedFor(Refusal::GameOver);
    if (!IsPerson(mPosition.ToMove())) return MoveOutcome::RefusedFor(Refusal::NotYourTurn);
    return Record(v, mRandom.State());
}

SearchResult Game::PlayComputer(SearchObserver& observer) {
    NANAREN_ASSERT(CurrentState() == State::ComputerToMove);
    const std::uint32_t before = mRandom.State();
    const SearchResult chosen = mComputer->Think(mPosition, mPosition.ToMove(), mRandom, observer);
    const MoveOutcome outcome = Record(chosen.move, before);
    NANAREN_ASSERT(outcome.Stands());
    return chosen;
}

// The colours alternate, so against the computer the last move is the
// person's exactly when the computer would be next; otherwise the person's
// is the one before. Between people, the last move alone.
std::size_t Game::MovesToTakeBack() const {
    if (CurrentState() == State::ComputerToMove) return 0;
    const std::size_t count = mPosition.Moves().size();
    const std::size_t taken = !HasComputer() || mPosition.ToMove() != mHuman ? 1 : 2;
    return count < taken ? 0 : taken;
}

bool Game::TakeBack() {
    const std::size_t taken = MovesToTakeBack();
    if (taken == 0) return false;
    const std::size_t keep = mPosition.Moves().size() - taken;
    while (mPosition.Moves().size() > keep)
        mPosition.Undo();
    mRandom.Restore(mRandomBefore[keep]);
    mRandomBefore.resize(keep);
    return true;
}

std::optional<RecordError> Game::Replay(std::string_view record, SearchObserver& observer) {
    Position read;
    if (auto error = read.ReadRecord(record)) return error;
    const std::vector<Vertex>& moves = read.Moves();
    const std::size_t given = mPosition.Moves().size();
    NANAREN_ASSERT(given <= moves.size() &&
                   std::equal(mPosition.Moves().begin(), mPosition.Moves().end(), moves.begin()));
    const std::uint32_t seeded = mRandom.State();
    for (std::size_t i = given; i < moves.size(); ++i) {
        if (auto error = ReplayMove(moves[i], observer)) {
            BackTo(given, seeded);
            error->token = static_cast<int>(i + 1);
            error->text = MoveText(moves[i]);
            return error;
        }
    }
    return std::nullopt;
}

std::optional<RecordError> Game::SetUp(std::string_view record) {
    NANAREN_ASSERT(mPosition.Moves().empty());
    Position read;
    if (auto error = read.ReadRecord(record)) return error;
    for (const Vertex move : read.Moves())
        Record(move, mRandom.State());
    return std::nullopt;
}

// One move of a replay; why it cannot stand (its place left to the caller),
// or nothing.
std::optional<RecordError> Game::ReplayMove(Vertex move, SearchObserver& observer) {
    if (CurrentState() == State::PersonToMove) {
        const MoveOutcome outcome = Play(move);
        NANAREN_ASSERT(outcome.Stands());  // the record was read as legal
        return std::nullopt;
    }
    if (move == nanaren::Resign) return RecordError{0, {}, RecordError::Kind::ComputerNoResign};
    const std::uint32_t before = mRandom.State();
    if (!mComputer->FollowSearch(mRandom)) {
        const Vertex chosen =
            mComputer->Think(mPosition, mPosition.ToMove(), mRandom, observer).move;
        if (chosen != move) {
            return RecordError{0, {}, RecordError::Kind::ComputerPlaysOther, Refusal::None, chosen};
        }
    }
    Record(move, before);
    return std::nullopt;
}

// Back to the first kept moves, the generator as it stood then (a search
// refused before any move stood has drawn from it too).
void Game::BackTo(std::size_t kept, std::uint32_t seeded) {
    while (mPosition.Moves().size() > kept)
        mPosition.Undo();
    mRandom.Restore(seeded);
    mRandomBefore.resize(kept);
}

// Plays a move on the position; one that stands is noted with the
// generator's state before it.
MoveOutcome Game::Record(Vertex v, std::uint32_t randomBefore) {
    const MoveOutcome outcome = mPosition.Play(v);
    if (outcome.Stands()) mRandomBefore.push_back(randomBefore);
    return outcome;
}

}  // namespace nanaren
