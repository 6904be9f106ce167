#pragma once

#include <array>
#include <vector>

#include "core/point_set.h"
#include "game/board.h"
#include "players/threats.h"

namespace nanaren {

// What is certain about a position, whatever a search estimates: where either
// side wins at once, a win by consecutive threats for either side with its
// line, what the side to move must answer, and whether it is lost whatever
// it plays.
struct TacticalFacts {
    // What the side to move must answer, if anything.
    enum class Threat { None, WinInOne, ForcedWin };

    int toMove = Black;
    std::array<PointSet, 2> winsInOne;  // by colour index; the waiting side's count the ko point
    std::array<std::vector<Vertex>, 2> forcedWin;  // by colour index: a line that wins by threats,
                                                   // as if that side were to move; empty for none
    Threat threat = Threat::None;                  // the other side's, that the side to move faces
    PointSet answers;   // the side to move's moves that stop that threat for now
    bool lost = false;  // whatever the side to move plays, the other side wins by force

    bool WinsInOne(int color) const { return !winsInOne[ColorIndex(color)].IsEmpty(); }
    bool HasForcedWin(int color) const { return !forcedWin[ColorIndex(color)].empty(); }
};

// The facts of board with toMove to play, found with the threats' search.
TacticalFacts FindTacticalFacts(const Board& board, int toMove, ThreatSearch& threats);

}  // namespace nanaren
