// The console dialogue on arbitrary typing. The first byte gives a small
// playout count, the next two the clock the computer is seeded with, and the
// rest is the person's input. The game must end where the input does, with
// no check or sanitizer firing on the way.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "console_game.h"

namespace {

// Takes every character the game formats and keeps none.
class DiscardBuffer : public std::streambuf {
  protected:
    int overflow(int ch) override { return traits_type::not_eof(ch); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    // -1 plays without searching; up to 38 keeps a long dialogue quick.
    const std::int32_t playouts = data[0] % 40 - 1;
    const std::time_t clock = data[1] | data[2] << 8;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 3, size - 3));
    DiscardBuffer discard;
    std::ostream out(&discard);
    const auto fixedClock = [clock] { return clock; };
    nanaren::PlayGame(in, out, fixedClock, playouts);
    return 0;
}
