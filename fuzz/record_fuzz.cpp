// Arbitrary text as a game record. A record that reads must write back as the
// same moves and leave a sound board (unless its last move won: the board
// after a win is left as the winning put leaves it); one that does not must
// leave the game as it was.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/check.h"
#include "game/board_check.h"
#include "game/position.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    nanaren::Position position;
    position.Play(nanaren::GetVertex(5, 5));
    if (position.ReadRecord(text)) {
        NANAREN_ASSERT(position.Record() == "5-5");
        return 0;
    }
    nanaren::Position again;
    NANAREN_ASSERT(!again.ReadRecord(position.Record()));
    NANAREN_ASSERT(again.Moves() == position.Moves());
    NANAREN_ASSERT(position.IsOver() || nanaren::FindBoardFault(position.GetBoard()).empty());
    return 0;
}
