#include "players/line_builder.h"

#include <array>

#include "game/position.h"
#include "players/threats.h"

namespace nanaren {

namespace {

constexpr int WindowLength = WinLength;

// The steps along which windows run: down, right, down-right, up-right.
constexpr std::array<int, 4> WindowSteps = {Down, Right, DownRight, UpRight};

// The squared distance of a point from the centre, in grid steps.
int DistanceFromCentre(Vertex v) {
    constexpr int Centre = (BoardSize + 1) / 2;
    const int dx = GetX(v) - Centre;
    const int dy = GetY(v) - Centre;
    return dx * dx + dy * dy;
}

bool IsFirstLine(Vertex v) {
    return GetX(v) == 1 || GetX(v) == BoardSize || GetY(v) == 1 || GetY(v) == BoardSize;
}

// A window of seven points from start by step, when all are playing points
// and not all lie on the first line.
bool IsWindow(Vertex start, int step) {
    bool inner = false;
    for (int i = 0; i < WindowLength; ++i) {
        const Vertex v = start + i * step;
        if (!IsPlayingPoint(v)) return false;
        inner = inner || !IsFirstLine(v);
    }
    // A step of one column that wraps to the next row leaves the grid on the
    // wall column first, so the test above already refuses it.
    return inner;
}

bool IsLegal(const Board& board, Vertex v, int color) {
    return board.Cell(v) == Empty && board.TryPut(board.EmptyIndexOf(v), color) != Board::Failure;
}

// The best window's best empty point that color may play, or NoVertex.
Vertex BuildLine(const Board& board, int color) {
    const int other = Opposite(color);
    Vertex chosen = NoVertex;
    int bestStones = -1;
    int bestDistance = 0;
    for (Vertex start = 0; start < MaxVertexSize; ++start) {
        for (const int step : WindowSteps) {
            if (!IsWindow(start, step)) continue;
            int stones = 0;
            bool blocked = false;
            Vertex point = NoVertex;  // its empty point nearest the centre
            for (int i = 0; i < WindowLength; ++i) {
                const Vertex v = start + i * step;
                stones += board.Cell(v) == color;
                blocked = blocked || board.Cell(v) == other;
                if (IsLegal(board, v, color) &&
                    (point == NoVertex || DistanceFromCentre(v) < DistanceFromCentre(point))) {
                    point = v;
                }
            }
            if (blocked || point == NoVertex) continue;
            const int distance = DistanceFromCentre(start + WindowLength / 2 * step);
            if (stones > bestStones || (stones == bestStones && distance < bestDistance)) {
                bestStones = stones;
                bestDistance = distance;
                chosen = point;
            }
        }
    }
    return chosen;
}

// Without an open window: the legal point nearest the centre.
Vertex NearestCentre(const Board& board, int color) {
    Vertex chosen = NoVertex;
    for (int i = 0; i < board.EmptyCount(); ++i) {
        const Vertex v = board.EmptyPoint(i);
        if (!IsLegal(board, v, color)) continue;
        if (chosen == NoVertex || DistanceFromCentre(v) < DistanceFromCentre(chosen)) chosen = v;
    }
    return chosen;
}

}  // namespace

SearchResult LineBuilder::Think(const Position& position, int color, Random& /*random*/,
                                SearchObserver& observer) {
    const Board& board = position.GetBoard();
    observer.Started();
    Vertex move = NoVertex;
    if (mBlocks) {
        // Its own win first, then a block.
        PointSet wanted = WinningPoints(board, color);
        if (wanted.IsEmpty()) wanted = WaitingWinningPoints(board, Opposite(color));
        wanted.ForEach([&](Vertex v) {
            if (move == NoVertex && IsLegal(board, v, color)) move = v;
        });
    }
    if (move == NoVertex) move = BuildLine(board, color);
    if (move == NoVertex) move = NearestCentre(board, color);
    if (move == NoVertex) {
        observer.Finished(std::nullopt);
        return {};
    }
    const SearchEstimate estimate = {50, NoVertex};
    observer.Finished(estimate);
    return {move, estimate};
}

}  // namespace nanaren
