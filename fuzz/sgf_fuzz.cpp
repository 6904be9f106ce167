// Arbitrary text as SGF. A text that reads must have moves that play, and
// must write as SGF that reads back as the same record; a collection must
// read without a check or sanitizer firing either way.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/check.h"
#include "game/sgf.h"

namespace {

bool SameRecord(const nanaren::SgfRecord& a, const nanaren::SgfRecord& b) {
    const auto& x = a.header;
    const auto& y = b.header;
    if (a.moves != b.moves || x.black != y.black || x.white != y.white || x.date != y.date ||
        x.result != y.result || x.comment != y.comment) {
        return false;
    }
    for (std::size_t i = 0; i < a.notes.size() && i < b.notes.size(); ++i) {
        if (a.notes[i].comment != b.notes[i].comment) return false;
        if (a.notes[i].blackWinRate.has_value() != b.notes[i].blackWinRate.has_value())
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    nanaren::ReadSgfGames(text);
    const auto read = nanaren::ReadSgf(text);
    const auto* record = std::get_if<nanaren::SgfRecord>(&read);
    if (record == nullptr) return 0;
    nanaren::Position position;
    for (const nanaren::Vertex move : record->moves)
        NANAREN_ASSERT(position.Play(move).Stands());
    const auto again = nanaren::ReadSgf(nanaren::WriteSgf(*record));
    const auto* back = std::get_if<nanaren::SgfRecord>(&again);
    NANAREN_ASSERT(back != nullptr && SameRecord(*record, *back));
    return 0;
}
