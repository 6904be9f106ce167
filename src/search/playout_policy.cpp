// The playout policy: tactical replies, local and random moves, and the
// judgement of a line threat, played on the player's own board.

#include "search/playout_policy.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "core/always_inline.h"

namespace nanaren {

namespace {

// Neighbours examined around the last moves when looking for stones in atari.
constexpr std::array<int, 4> AtariDirections = {Up, Down, Right, Left};

// Directions walked from the mover's previous stone for local candidates.
constexpr std::array<int, 8> LocalDirections = {Up,      Down,     Right,  Left,
                                                UpRight, DownLeft, UpLeft, DownRight};

// Rays from the opponent's last stone along which a seven is blocked.
constexpr std::array<int, 8> BlockDirections = {Down, Left,  DownRight, DownLeft,
                                                Up,   Right, UpLeft,    UpRight};

constexpr int LocalMoveChance = 100;  // in 128
constexpr int RandomMoveTries = 30;
constexpr int EnclosedDrawsPerTry = 10;

// A short list of points on the stack; the same point may stand twice.
template <int Capacity>
struct PointList {
    std::array<Vertex, Capacity> points;
    int size = 0;

    void Add(Vertex v) { points[size++] = v; }
    void AddLiberty(Vertex liberty) {
        if (liberty != NoVertex) Add(liberty);
    }
};

// Calls f with each entry of a direction table in order, the call written out
// once per entry, so that each direction's branches are the predictor's to
// learn one by one.
template <std::size_t N, typename F>
void ForEachDirection(const std::array<int, N>& directions, F&& f) {
    [&]<std::size_t... I>(std::index_sequence<I...>) NANAREN_ALWAYS_INLINE {
        (f(directions[I]), ...);
    }
    (std::make_index_sequence<N>{});
}

}  // namespace

Board::PutResult PlayoutPolicy::PlayDescentMove(Vertex move, int color) {
    const Board::PutResult r = PutAndCheck(move, color);
    if (r != Board::Success) return r;
    std::uint8_t& threat = mThreat[ColorIndex(color)];
    if (threat == 0) threat = HasLineThreat(move, color) ? 1 : 0;
    return r;
}

Board::PutResult PlayoutPolicy::PutAndCheck(Vertex v, int c) {
    const Board::Placement placed = mBoard.PlaceAt(v, c);
    if (placed.result != Board::Success || placed.captureDirs == 0) return placed.result;
    for (int i = 0; i < 4; ++i) {
        const bool captured = (placed.captureDirs >> i & 1) != 0;
        if (captured && FindThreatInRegion(v + CaptureDirections[i], c)) break;
    }
    return placed.result;
}

float PlayoutPolicy::Playout(int c) {
    for (int count = 0;;) {
        const Board::PutResult r = PlayoutMove(c);
        if (r == Board::Failure) return c == mMyColor ? 0.0f : 1.0f;
        if (r == Board::Win) return c == mMyColor ? 1.0f : 0.0f;
        c = Opposite(c);
        if (++count > PlayoutMoveLimit) return 0.5f;
    }
}

Board::PutResult PlayoutPolicy::PlayoutMove(int c) {
    if (mBoard.EmptyCount() == 0) return Board::Failure;
    const std::optional<Board::PutResult> blocked = BlockSeven(c);
    const Board::PutResult r = blocked ? *blocked : PlayTacticalOrRandomMove(c);
    if (r != Board::Success) return r;
    return CheckOwnThreat(c);
}

// The steps after BlockSeven, tried until one places a stone.
Board::PutResult PlayoutPolicy::PlayTacticalOrRandomMove(int c) {
    Board::PutResult r = ReplyToAtari(c);
    if (r == Board::Failure) r = ExtendLine(c);
    if (r == Board::Failure) r = PlayNearPreviousMove(c);
    if (r == Board::Failure) r = PlayRandomMove(c);
    return r;
}

std::optional<Board::PutResult> PlayoutPolicy::BlockSeven(int c) {
    if (mBoard.RecordSize() == 0) return std::nullopt;
    const int o = Opposite(c);
    const Vertex m = mBoard.RecordAt(mBoard.RecordSize() - 1);
    // Blocking needs six of the opponent's stones on the ray's line.
    unsigned longLines = 0;
    for (int axis = 0; axis < AxisCount; ++axis) {
        const std::uint32_t stones = mBoard.Lines().StonesThrough(o, m, static_cast<Axis>(axis));
        if (CountPlaces(stones) >= 6) longLines |= 1u << axis;
    }
    if (longLines == 0) return std::nullopt;
    for (const int d : BlockDirections) {
        const Axis axis = StepOf(d).axis;
        if ((longLines >> axis & 1) == 0) continue;
        if (mBoard.Cell(m + d) == Wall) continue;
        if (mBoard.IsEdge(m + d) && mBoard.IsEdge(m + 2 * d)) continue;
        const Vertex v = mBoard.SkipStones(m + d, d, c);
        if (mBoard.Cell(v) != Empty) continue;
        // The opponent's run through v, were it to play there.
        const int k = mBoard.RunLength(v, axis, o);
        if (k == WinLength || (o == White && k > WinLength)) return PutAndCheck(v, c);
    }
    return std::nullopt;
}

Board::PutResult PlayoutPolicy::ReplyToAtari(int c) {
    if (mBoard.RecordSize() == 0) return Board::Failure;
    const int o = Opposite(c);
    const Vertex m = mBoard.RecordAt(mBoard.RecordSize() - 1);
    PointList<5> captures;  // the last move, then the enemy neighbours of q
    PointList<5> escapes;   // the own neighbours of the last move, then q
    captures.AddLiberty(mBoard.FindSingleLiberty(m, o));
    ForEachDirection(AtariDirections, [&](int d) NANAREN_ALWAYS_INLINE {
        if (mBoard.Cell(m + d) == c) escapes.AddLiberty(mBoard.FindSingleLiberty(m + d, c));
    });
    if (mBoard.RecordSize() > 1) {
        const Vertex q = mBoard.RecordAt(mBoard.RecordSize() - 2);
        if (mBoard.Cell(q) == c) {
            escapes.AddLiberty(mBoard.FindSingleLiberty(q, c));
            ForEachDirection(AtariDirections, [&](int d) NANAREN_ALWAYS_INLINE {
                if (mBoard.Cell(q + d) == o)
                    captures.AddLiberty(mBoard.FindSingleLiberty(q + d, o));
            });
        }
    }
    Board::PutResult r = PlayAnyOf(captures.points.data(), captures.size, c);
    if (r == Board::Failure) r = PlayAnyOf(escapes.points.data(), escapes.size, c);
    return r;
}

// Extends the mover's line through its previous stone at the end where the
// stretch would grow longest.
Board::PutResult PlayoutPolicy::ExtendLine(int c) {
    if (mBoard.RecordSize() <= 1) return Board::Failure;
    if (!ScanForExtension(mBoard.RecordAt(mBoard.RecordSize() - 2), c)) return Board::Failure;
    const LineInfo& line = mLine[ColorIndex(c)];
    const int n = line.NextVirtualLengthMax();
    const int s = line.NextVirtualDir();
    Vertex p = line.NextVirtualEdgeSpace();
    if (line.edge[0] == 0) return Board::Failure;
    if (mBoard.IsEdge(line.edge[0]) && mBoard.IsEdge(line.edge[0] - s)) return Board::Failure;
    const auto isEmpty = [&](Vertex v) { return mBoard.Cell(v) == Empty; };
    if (n >= WinLength) {
        p += (n - WinLength) * s;  // six steps from the stretch's far end stone
        if (!isEmpty(p)) return Board::Failure;
    } else if (n == 6) {
        if (!isEmpty(p) || !isEmpty(p - s) || !isEmpty(p + 6 * s)) return Board::Failure;
    } else {
        return Board::Failure;
    }
    return PutAndCheck(p, c);
}

// With probability 100/128, a point next to the ends of the mover's own runs
// through its previous stone.
Board::PutResult PlayoutPolicy::PlayNearPreviousMove(int c) {
    if ((mRandom.Next() & 127) >= LocalMoveChance) return Board::Failure;
    PointList<8> candidates;
    if (mBoard.RecordSize() >= 2) {
        const Vertex q = mBoard.RecordAt(mBoard.RecordSize() - 2);
        ForEachDirection(LocalDirections, [&](int d) NANAREN_ALWAYS_INLINE {
            const Vertex p = mBoard.SkipStones(q + d, d, c);
            if (mBoard.Cell(p) == Empty && !mBoard.IsEnclosed(p, c)) candidates.Add(p);
        });
    }
    return PlayAnyOf(candidates.points.data(), candidates.size, c);
}

Board::PutResult PlayoutPolicy::PlayRandomMove(int c) {
    for (int attempt = 0; attempt < RandomMoveTries; ++attempt) {
        int budget = std::min(mBoard.EmptyCount(), EnclosedDrawsPerTry);
        Vertex v = mBoard.EmptyPoint(mRandom.Below(mBoard.EmptyCount()));
        while (mBoard.IsEnclosed(v, c)) {
            if (--budget == 0) return Board::Failure;
            v = mBoard.EmptyPoint(mRandom.Below(mBoard.EmptyCount()));
        }
        if (mPatternWeights != nullptr) v = HeaviestOfDraws(v, c);
        const Board::PutResult r = PutAndCheck(v, c);
        if (r != Board::Failure) return r;
    }
    return Board::Failure;
}

// The heaviest by pattern of first and further draws of points that are
// not enclosed.
Vertex PlayoutPolicy::HeaviestOfDraws(Vertex first, int c) {
    Vertex heaviest = first;
    float most = (*mPatternWeights)[PatternCode(mBoard, first, c)];
    for (int draw = 1; draw < mPatternDraws; ++draw) {
        const Vertex v = mBoard.EmptyPoint(mRandom.Below(mBoard.EmptyCount()));
        if (mBoard.IsEnclosed(v, c)) continue;
        const float weight = (*mPatternWeights)[PatternCode(mBoard, v, c)];
        if (weight > most) {
            most = weight;
            heaviest = v;
        }
    }
    return heaviest;
}

// Up to count random picks from the points, with replacement, until one is
// played.
Board::PutResult PlayoutPolicy::PlayAnyOf(const Vertex* points, int count, int c) {
    Board::PutResult r = Board::Failure;
    for (int tries = 0; tries < count && r == Board::Failure; ++tries) {
        r = PutAndCheck(points[mRandom.Below(count)], c);
    }
    return r;
}

// After c has played: a move that makes (or follows) a threat of c ends the
// playout with a judgement of the threat.
Board::PutResult PlayoutPolicy::CheckOwnThreat(int c) {
    const int index = ColorIndex(c);
    const Vertex placed = mBoard.RecordAt(mBoard.RecordSize() - 1);
    if (!mThreat[index] && !HasLineThreat(placed, c)) return Board::Success;
    const LineInfo& line = mLine[index];
    if (line.edge[0] == 0 || mBoard.IsEdge(line.edge[0] - line.dir)) return Board::Success;
    return JudgeThreat(c);
}

// Random replies of the opponent o, one trial per gap of c's line: c wins
// when o runs out of points or of replies before making a threat as good.
Board::PutResult PlayoutPolicy::JudgeThreat(int c) {
    const int o = Opposite(c);
    int k = mLine[ColorIndex(c)].space;
    for (;;) {
        int budget = mBoard.EmptyCount();
        for (;;) {
            if (mBoard.EmptyCount() == 0) return Board::Win;
            const Vertex v = mBoard.EmptyPoint(mRandom.Below(mBoard.EmptyCount()));
            if (mBoard.IsEnclosed(v, c)) {
                if (--budget <= 0) return Board::Win;
                continue;
            }
            if (budget <= 0) return Board::Win;
            --budget;
            const Board::PutResult r = PutAndCheck(v, o);
            if (r == Board::Failure) continue;
            if (r == Board::Win) return k == 0 ? Board::Win : Board::Failure;
            if (mThreat[ColorIndex(o)] || HasLineThreat(v, o)) {
                return mLine[ColorIndex(o)].space >= k ? Board::Win : Board::Failure;
            }
            break;
        }
        if (--k == 0) return Board::Win;
    }
}

}  // namespace nanaren
