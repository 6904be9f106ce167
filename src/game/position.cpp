#include "game/position.h"

#include "core/check.h"
#include "game/notation.h"

namespace nanaren {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The record's tokens, split at runs of blanks.
std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        if (IsBlank(text[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !IsBlank(text[end]))
            ++end;
        tokens.push_back(text.substr(at, end - at));
        at = end;
    }
    return tokens;
}

}  // namespace

const char* RefusalName(Refusal refusal) {
    switch (refusal) {
        case Refusal::OffBoard:
            return "off the board";
        case Refusal::Occupied:
            return "occupied";
        case Refusal::Ko:
            return "ko";
        case Refusal::Suicide:
            return "suicide";
        case Refusal::Overline:
            return "overline";
        case Refusal::GameOver:
            return "game over";
        case Refusal::NotYourTurn:
            return "not your turn";
        default:
            return "";
    }
}

std::string RecordError::Message() const {
    std::string reason;
    switch (kind) {
        case Kind::NotAMove:
            reason = "not a move: column-row from 1-1 to 9-9, pass or resign";
            break;
        case Kind::AfterTheEnd:
            reason = "the game was already over";
            break;
        case Kind::Refused:
            reason = std::string(mover == Black ? "Black" : "White") + " may not play there (" +
                     RefusalName(refusal) + ")";
            break;
        case Kind::ComputerPlaysOther:
            reason = "the computer plays " + MoveText(computerMove) + " here";
            break;
        case Kind::ComputerNoResign:
            reason = "the computer does not resign";
            break;
    }
    return "move " + std::to_string(token) + " (" + text + "): " + reason;
}

Position::Position(const Board& start, int firstToMove) : mFirstToMove(firstToMove) {
    mStart.CopyPosition(start);
    mBoard.CopyPosition(start);
}

Vertex Position::LastStone() const {
    return mBoard.RecordSize() == 0 ? NoVertex : mBoard.RecordAt(mBoard.RecordSize() - 1);
}

MoveOutcome Position::Play(Vertex v) {
    if (IsOver()) return MoveOutcome::RefusedFor(Refusal::GameOver);
    const int color = ToMove();
    if (v == Pass || v == Resign) {
        mMoves.push_back(v);
        if (v == Resign) mWinner = Opposite(color);
        return v == Resign ? MoveOutcome::Won() : MoveOutcome::Played();
    }
    if (!IsPlayingPoint(v)) return MoveOutcome::RefusedFor(Refusal::OffBoard);
    const int opponent = Opposite(color);
    const int opponentStones = mBoard.StoneCount(opponent);
    const Board::PutResult result = mBoard.PutAt(v, color);
    if (result == Board::Failure) return MoveOutcome::RefusedFor(ReasonRefused(color, v));
    mMoves.push_back(v);
    mCaptures[ColorIndex(color)] += opponentStones - mBoard.StoneCount(opponent);
    if (result != Board::Win) return MoveOutcome::Played();
    NoteWinningStones(v, color);
    return MoveOutcome::Won();
}

// The stones of every run through v that the line rule counts as a win.
void Position::NoteWinningStones(Vertex v, int color) {
    mWinner = color;
    for (const int step : AxisSteps) {
        if (mBoard.CheckRun(v, StepOf(step).axis, color) != Board::Win) continue;
        Vertex first = v;
        while (mBoard.Cell(first - step) == color)
            first -= step;
        for (Vertex s = first; mBoard.Cell(s) == color; s += step)
            mWinningStones.push_back(s);
    }
}

bool Position::Undo() {
    if (mMoves.empty()) return false;
    std::vector<Vertex> moves = mMoves;
    moves.pop_back();
    Replay(moves);
    return true;
}

// Plays the moves again from the start; each must be legal.
void Position::Replay(const std::vector<Vertex>& moves) {
    mBoard.CopyPosition(mStart);
    mMoves.clear();
    mWinner = Empty;
    mWinningStones.clear();
    mCaptures = {};
    for (const Vertex v : moves) {
        const MoveOutcome outcome = Play(v);
        NANAREN_ASSERT(outcome.Stands());
    }
}

Refusal Position::ReasonRefused(int color, Vertex v) const {
    if (v < 0 || v >= MaxVertexSize || mBoard.Cell(v) == Wall) return Refusal::OffBoard;
    if (mBoard.Cell(v) != Empty) return Refusal::Occupied;
    if (v == mBoard.Ko()) return Refusal::Ko;
    const Board::PutResult line = mBoard.CheckLine(v, color);
    if (line == Board::Win) return Refusal::None;
    if (line == Board::Failure) return Refusal::Overline;
    return mBoard.TryPut(mBoard.EmptyIndexOf(v), color) == Board::Failure ? Refusal::Suicide
                                                                          : Refusal::None;
}

std::string Position::Record() const {
    std::string text;
    for (const Vertex v : mMoves) {
        if (!text.empty()) text += ' ';
        text += MoveText(v);
    }
    return text;
}

std::optional<RecordError> Position::ReadRecord(std::string_view record) {
    const std::vector<std::string_view> tokens = Tokens(record);
    Position trial(mStart, mFirstToMove);
    std::vector<Vertex> moves;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const auto error = [&](RecordError::Kind kind, Refusal refusal = Refusal::None) {
            return RecordError{
                static_cast<int>(i + 1), std::string(tokens[i]), kind, refusal, NoVertex,
                trial.ToMove()};
        };
        const std::optional<Vertex> move = ParseMove(tokens[i]);
        if (!move) return error(RecordError::Kind::NotAMove);
        if (trial.IsOver()) return error(RecordError::Kind::AfterTheEnd);
        const MoveOutcome outcome = trial.Play(*move);
        if (!outcome.Stands()) return error(RecordError::Kind::Refused, outcome.refusal);
        moves.push_back(*move);
    }
    Replay(moves);
    return std::nullopt;
}

}  // namespace nanaren
