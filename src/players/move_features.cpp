#include "players/move_features.h"

#include <algorithm>
#include <cstdlib>

#include "core/point_set.h"

namespace nanaren {

namespace {

// By axis and line: the places that are playing points, and whether a line
// of seven can win along it (not on the first and last columns and rows,
// whose lines lie wholly on the first line).
struct LineShape {
    std::uint32_t onBoard;  // the places of playing points
    bool canWin;            // a winning line fits on it
};

constexpr auto LineShapes = [] {
    std::array<std::array<LineShape, MaxLinesPerAxis>, AxisCount> shapes{};
    for (int a = 0; a < AxisCount; ++a) {
        for (int line = 0; line < MaxLinesPerAxis; ++line) {
            std::uint32_t places = 0;
            for (int place = 0; place < GridSize; ++place) {
                if (IsPlayingPoint(ComputeVertexAt(static_cast<Axis>(a), line, place))) {
                    places |= 1u << place;
                }
            }
            const bool firstLine = (a == Column || a == Row) && (line == 1 || line == BoardSize);
            shapes[a][line] = {places, !firstLine};
        }
    }
    return shapes;
}();

// What color's stone at v would make along the lines through it: the best
// run level (LineLevel, 0 where no winning line fits) and the most of its
// stones, v's included, in a window of seven free of the other colour.
struct LineStrength {
    int run = 0;
    int window = 0;
};

// Color's strength along one line through v, at place, with the stones of
// both colours on it.
void AddLineStrength(std::uint32_t onBoard, int place, std::uint32_t own, std::uint32_t other,
                     LineStrength& strength) {
    const std::uint32_t free = onBoard & ~other;
    // The stretch of points without the other colour's stones around v.
    const int freeLow = FirstClearPlace(free, place, -1);
    const int freeHigh = FirstClearPlace(free, place, 1);
    if (freeHigh - freeLow - 1 < WinLength) return;
    const std::uint32_t stretch = PlacesBetween(freeLow, freeHigh);
    const std::uint32_t stones = own & stretch;
    if (stones == 0) {
        // v alone: a run of one, open where its neighbours are free.
        const int openEnds = (free >> (place - 1) & 1) + (free >> (place + 1) & 1);
        strength.run = std::max(strength.run, LineLevel(1, openEnds));
        strength.window = std::max(strength.window, 1);
        return;
    }
    const std::uint32_t withV = own | 1u << place;
    const int runLow = FirstClearPlace(withV, place, -1);
    const int runHigh = FirstClearPlace(withV, place, 1);
    const int openEnds = (free >> runLow & 1) + (free >> runHigh & 1);
    strength.run = std::max(strength.run, LineLevel(runHigh - runLow - 1, openEnds));
    const int first = std::max(freeLow + 1, place - (WinLength - 1));
    const int last = std::min(place, freeHigh - WinLength);
    for (int start = first; start <= last; ++start) {
        const std::uint32_t window = ((1u << WinLength) - 1) << start;
        strength.window = std::max(strength.window, 1 + CountPlaces(stones & window));
    }
}

// What each colour's stone at v would make along the lines through it.
std::array<LineStrength, 2> LineStrengthsOf(const Board& board, Vertex v) {
    std::array<LineStrength, 2> strengths{};
    for (int a = 0; a < AxisCount; ++a) {
        const Axis axis = static_cast<Axis>(a);
        const LinePlace at = PlaceOf(v, axis);
        const LineShape& shape = LineShapes[a][at.line];
        if (!shape.canWin) continue;
        const std::uint32_t black = board.Lines().StonesThrough(Black, v, axis);
        const std::uint32_t white = board.Lines().StonesThrough(White, v, axis);
        AddLineStrength(shape.onBoard, at.place, black, white, strengths[0]);
        AddLineStrength(shape.onBoard, at.place, white, black, strengths[1]);
    }
    return strengths;
}

int CaptureLevel(int stones) {
    return stones == 0 ? 0 : stones == 1 ? 1 : stones <= 4 ? 2 : 3;
}

// What the move does to the groups beside it: the stones it captures, the
// opponent's group it leaves in atari, the own group in atari it saves, and
// whether its own group is left with one liberty.
struct GroupEffects {
    int captured = 0;      // stones taken
    int ataried = 0;       // stones of the largest group put in atari
    bool escapes = false;  // it joins a group in atari that then breathes more
    int selfAtari = 0;     // stones of its group when left with one liberty
};

GroupEffects GroupEffectsOf(const Board& board, Vertex v, int color) {
    GroupEffects effects;
    PointSet liberties;  // of the group the move makes, v aside
    PointSet heads;      // the groups met so far
    int stones = 1;
    bool inAtari = false;
    for (const int d : CaptureDirections) {
        const Vertex n = v + d;
        const int cell = board.Cell(n);
        if (cell == Empty) {
            liberties.Add(n);
            continue;
        }
        if (cell != Black && cell != White) continue;
        const Vertex head = board.GroupHead(n);
        if (heads.Contains(head)) continue;
        heads.Add(head);
        const PointSet& groupLiberties = board.LibertiesOf(n);
        const int count = groupLiberties.Count();
        if (cell == color) {
            liberties.AddAll(groupLiberties);
            stones += board.GroupSize(head);
            inAtari = inAtari || count == 1;
        } else if (count == 1) {
            effects.captured += board.GroupSize(head);
        } else if (count == 2) {
            effects.ataried = std::max(effects.ataried, board.GroupSize(head));
        }
    }
    liberties.Remove(v);
    const int after = liberties.Count();
    effects.escapes = inAtari && after >= 2;
    if (effects.captured == 0 && after == 1) effects.selfAtari = stones;
    return effects;
}

int LastMoveDistanceLevel(const Board& board, Vertex v, int back) {
    if (board.RecordSize() < back) return 0;
    const Vertex last = board.RecordAt(board.RecordSize() - back);
    return DistanceLevel(std::abs(GetX(last) - GetX(v)), std::abs(GetY(last) - GetY(v)));
}

// The symmetries of the square as maps of (dx, dy).
constexpr std::array<std::array<int, 4>, 8> Symmetries = {{
    {1, 0, 0, 1},
    {0, -1, 1, 0},
    {-1, 0, 0, -1},
    {0, 1, -1, 0},
    {-1, 0, 0, 1},
    {1, 0, 0, -1},
    {0, 1, 1, 0},
    {0, -1, -1, 0},
}};

// For each symmetry, the neighbour each neighbour goes to.
constexpr auto NeighbourMaps = [] {
    std::array<std::array<int, 8>, 8> maps{};
    for (int s = 0; s < 8; ++s) {
        for (int i = 0; i < 8; ++i) {
            const int dx = (Neighbours[i] + GridSize + 1) % GridSize - 1;
            const int dy = (Neighbours[i] - dx) / GridSize;
            const int tx = Symmetries[s][0] * dx + Symmetries[s][1] * dy;
            const int ty = Symmetries[s][2] * dx + Symmetries[s][3] * dy;
            for (int j = 0; j < 8; ++j) {
                if (Neighbours[j] == tx + GridSize * ty) maps[s][i] = j;
            }
        }
    }
    return maps;
}();

}  // namespace

std::uint16_t CanonicalPattern(std::uint16_t code) {
    unsigned least = code;
    for (const auto& map : NeighbourMaps) {
        unsigned image = 0;
        for (int i = 0; i < 8; ++i)
            image |= (code >> (2 * i) & 3u) << (2 * map[i]);
        least = std::min(least, image);
    }
    return static_cast<std::uint16_t>(least);
}

MoveFeatures FeaturesOf(const Board& board, Vertex v, int color) {
    MoveFeatures features{};
    features[Pattern] = PatternCode(board, v, color);
    const std::array<LineStrength, 2> lines = LineStrengthsOf(board, v);
    const LineStrength& own = lines[ColorIndex(color)];
    const LineStrength& opponent = lines[1 - ColorIndex(color)];
    features[OwnLine] = static_cast<std::uint16_t>(own.run);
    features[OwnWindow] = static_cast<std::uint16_t>(own.window);
    features[OpponentLine] = static_cast<std::uint16_t>(opponent.run);
    features[OpponentWindow] = static_cast<std::uint16_t>(opponent.window);
    const GroupEffects groups = GroupEffectsOf(board, v, color);
    features[Capture] = static_cast<std::uint16_t>(CaptureLevel(groups.captured));
    features[Atari] = static_cast<std::uint16_t>(groups.ataried == 0   ? 0
                                                 : groups.ataried == 1 ? 1
                                                                       : 2);
    features[Escape] = groups.escapes ? 1 : 0;
    features[SelfAtari] = static_cast<std::uint16_t>(groups.selfAtari == 0   ? 0
                                                     : groups.selfAtari == 1 ? 1
                                                                             : 2);
    features[LastDistance] = static_cast<std::uint16_t>(LastMoveDistanceLevel(board, v, 1));
    features[OwnLastDistance] = static_cast<std::uint16_t>(LastMoveDistanceLevel(board, v, 2));
    const int x = GetX(v);
    const int y = GetY(v);
    features[EdgeDistance] =
        static_cast<std::uint16_t>(std::min({x - 1, y - 1, BoardSize - x, BoardSize - y}));
    return features;
}

}  // namespace nanaren
