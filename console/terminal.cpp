#include "terminal.h"

#include <cstdlib>
#include <cstring>
#include <ostream>

#include "encoding.h"

namespace nanaren {

namespace {

// The ANSI sequences the screen uses.
constexpr char Home[] = "\x1b[H";
constexpr char ClearScreen[] = "\x1b[2J";
constexpr char EraseLineEnd[] = "\x1b[K";
constexpr char EraseBelow[] = "\x1b[J";
constexpr char Reset[] = "\x1b[m";

// The attributes of each paint, chosen to read on dark and light terminals.
// Few and foreground only: wine's console loses its place on a line of many
// colour changes, or with a background colour.
const char* Attributes(Paint paint) {
    switch (paint) {
        case Paint::Black:
            return "1;36";  // bold cyan
        case Paint::White:
            return "1;35";  // bold magenta
        case Paint::Winning:
            return "1;32";  // bold green
        case Paint::Refusal:
            return "1;31";  // bold red
        case Paint::Hint:
            return "32";  // green
        default:
            return "1";  // bold
    }
}

}  // namespace

TerminalAbilities AbilitiesOf(const char* term, const char* noColor, bool sequencesWithoutTerm) {
    const bool named = term != nullptr && *term != '\0';
    const bool sequences = named ? std::strcmp(term, "dumb") != 0 : sequencesWithoutTerm;
    const bool colourRefused = noColor != nullptr && *noColor != '\0';
    return {sequences, sequences && !colourRefused};
}

TerminalAbilities AbilitiesFromEnvironment(bool sequencesWithoutTerm) {
    return AbilitiesOf(std::getenv("TERM"), std::getenv("NO_COLOR"), sequencesWithoutTerm);
}

Screen::Screen(std::ostream& out, TerminalAbilities abilities, Encoding encoding)
    : mOut(out), mAbilities(abilities), mEncoding(encoding) {}

std::string Screen::Painted(std::string_view text, Paint paint) const {
    if (!mAbilities.colour) return std::string(text);
    return std::string("\x1b[") + Attributes(paint) + 'm' + std::string(text) + Reset;
}

void Screen::Show(const std::vector<std::string>& lines) {
    std::string text;
    if (mAbilities.cursor) {
        text = mCleared ? Home : std::string(Home) + ClearScreen;
        mCleared = true;
    } else {
        text = "\n";  // a terminal that only scrolls shows each screen below the last
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (mAbilities.cursor) text += i + 1 < lines.size() ? EraseLineEnd : EraseBelow;
        if (i + 1 < lines.size()) text += '\n';
        // A line at a time: a console that reads sequences in each write
        // alone (wine's) garbles one split between writes, and a C runtime
        // writes a long text in pieces.
        mOut << Encoded(text, mEncoding) << std::flush;
        text.clear();
    }
    mLastLineLength = lines.empty() ? 0 : lines.back().size();
}

void Screen::ReplaceLastLine(std::string_view text) {
    std::string line = "\r" + std::string(text);
    if (mAbilities.cursor) {
        line += EraseLineEnd;
    } else if (text.size() < mLastLineLength) {
        line += std::string(mLastLineLength - text.size(), ' ');
    }
    mLastLineLength = text.size();
    mOut << Encoded(line, mEncoding) << std::flush;
}

void Screen::Leave() {
    mOut << std::endl;
}

}  // namespace nanaren
