#include "game/position.h"

#include "core/check.h"

namespace nanaren {

namespace {

// The direction of each axis in which a line's stones are listed.
constexpr std::array<int, AxisCount> ForwardSteps = {Down, Right, DownRight, UpRight};

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

std::optional<Vertex> ParseMove(std::string_view token) {
    if (token == "pass") return Pass;
    const bool shaped = token.size() == 3 && token[1] == '-' && token[0] >= '1' &&
                        token[0] <= '9' && token[2] >= '1' && token[2] <= '9';
    if (!shaped) return std::nullopt;
    return GetVertex(token[0] - '0', token[2] - '0');
}

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
        default:
            return "";
    }
}

std::string RecordError::Message() const {
    return "move " + std::to_string(token) + " (" + text + "): " + reason;
}

std::string MoveText(Vertex v) {
    if (v == Pass) return "pass";
    return std::to_string(GetX(v)) + "-" + std::to_string(GetY(v));
}

Position::Position(const Board& start, int firstToMove) : mFirstToMove(firstToMove) {
    mStart.CopyPosition(start);
    mBoard.CopyPosition(start);
}

Vertex Position::LastStone() const {
    return mBoard.mRecordSize == 0 ? NoVertex : mBoard.mRecord[mBoard.mRecordSize - 1];
}

Board::PutResult Position::Play(int color, Vertex v) {
    NANAREN_ASSERT(!IsOver());
    NANAREN_ASSERT(color == ToMove());
    if (v == Pass) {
        mMoves.push_back(Pass);
        return Board::Success;
    }
    const Board::PutResult result = mBoard.PutAt(v, color);
    if (result == Board::Failure) return result;
    mMoves.push_back(v);
    if (result == Board::Win) NoteWinningStones(v, color);
    return result;
}

// The stones of every run through v that the line rule counts as a win.
void Position::NoteWinningStones(Vertex v, int color) {
    mWinner = color;
    for (const int step : ForwardSteps) {
        if (mBoard.CheckRun(v, StepOf(step).axis, color) != Board::Win) continue;
        Vertex first = v;
        while (mBoard.mCell[first - step] == color)
            first -= step;
        for (Vertex s = first; mBoard.mCell[s] == color; s += step)
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
    for (const Vertex v : moves) {
        const Board::PutResult result = Play(ToMove(), v);
        NANAREN_ASSERT(result != Board::Failure);
    }
}

Refusal Position::ReasonRefused(int color, Vertex v) const {
    if (v < 0 || v >= MaxVertexSize || mBoard.mCell[v] == Wall) return Refusal::OffBoard;
    if (mBoard.mCell[v] != Empty) return Refusal::Occupied;
    if (v == mBoard.mKo) return Refusal::Ko;
    const Board::PutResult line = mBoard.CheckLine(v, color);
    if (line == Board::Win) return Refusal::None;
    if (line == Board::Failure) return Refusal::Overline;
    return mBoard.TryPut(mBoard.mEmptyPos[v], color) == Board::Failure ? Refusal::Suicide
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
        const auto error = [&](const std::string& reason) {
            return RecordError{static_cast<int>(i + 1), std::string(tokens[i]), reason};
        };
        const std::optional<Vertex> move = ParseMove(tokens[i]);
        if (!move) return error("not a move: column-row from 1-1 to 9-9, or pass");
        if (trial.IsOver()) return error("the game was already won");
        const int color = trial.ToMove();
        const Refusal refusal = trial.ReasonRefused(color, *move);
        if (*move != Pass && refusal != Refusal::None) {
            return error(std::string(color == Black ? "Black" : "White") + " may not play there (" +
                         RefusalName(refusal) + ")");
        }
        trial.Play(color, *move);
        moves.push_back(*move);
    }
    Replay(moves);
    return std::nullopt;
}

}  // namespace nanaren
