#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "messages.h"

namespace nanaren {

// What the terminal the interactive game writes to can do.
struct TerminalAbilities {
    bool cursor = false;  // moves the cursor and erases (ANSI sequences)
    bool colour = false;  // shows colours (ANSI sequences)
};

// What a terminal named term (TERM, null when unset) does, with noColor the
// value of NO_COLOR (null when unset): no sequence at all on a dumb terminal,
// or without TERM unless the system's console takes sequences without it;
// no colour where NO_COLOR is set to anything but "".
TerminalAbilities AbilitiesOf(const char* term, const char* noColor, bool sequencesWithoutTerm);

// The abilities the environment names.
TerminalAbilities AbilitiesFromEnvironment(bool sequencesWithoutTerm);

// The colours a screen uses.
enum class Paint { Black, White, Winning, Refusal, Hint, Title };

// Shows whole screens of text on a terminal: each in place of the last where
// the cursor moves, else below it. Text comes in UTF-8 and goes out in the
// game's encoding, each screen and each change flushed at once.
class Screen {
  public:
    Screen(std::ostream& out, TerminalAbilities abilities, Encoding encoding);

    // The text wrapped in its colour where the terminal shows colour.
    std::string Painted(std::string_view text, Paint paint) const;
    bool ShowsColour() const { return mAbilities.colour; }

    // Shows the lines as the screen; the cursor stays at the end of the last.
    void Show(const std::vector<std::string>& lines);
    // Writes the last line shown again as text (the progress of a search).
    void ReplaceLastLine(std::string_view text);
    // Leaves the cursor at the start of a fresh line below the screen.
    void Leave();

  private:
    std::ostream& mOut;
    TerminalAbilities mAbilities;
    Encoding mEncoding;               // of the Japanese
    bool mCleared = false;            // whether the terminal's old text has been cleared
    std::size_t mLastLineLength = 0;  // in bytes, of the line the cursor is on
};

}  // namespace nanaren
