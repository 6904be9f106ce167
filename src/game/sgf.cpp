#include "game/sgf.h"

#include <ctime>
#include <iomanip>
#include <sstream>

#include "core/parse.h"
#include "game/notation.h"

namespace nanaren {

const char* const SgfRules =
    "nanaren: captures, ko and suicide as in Go; a straight line of exactly seven stones wins, "
    "but not one wholly on the edge; Black may not make eight or more, White's longer lines win";

namespace {

// A property as written: its name, its values and where its name stands.
struct Property {
    std::string name;
    std::vector<std::string> values;
    int line;
    int column;
};
using Node = std::vector<Property>;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Reads the nodes of the first game's main line (the first variation at each
// branch) from SGF text, keeping track of the line and column.
class SgfReader {
  public:
    explicit SgfReader(std::string_view text) : mText(text) {}

    // The main line of the next game: its nodes up to the ')' that ends its
    // first variation.
    std::variant<std::vector<Node>, SgfError> MainLine();
    // Reads past the rest of that game, its other variations.
    std::optional<SgfError> SkipRestOfGame();
    // Whether anything but blanks is left.
    bool HasMore();

  private:
    bool AtEnd() const { return mAt >= mText.size(); }
    char Peek() const { return mText[mAt]; }
    void Advance();
    void SkipBlanks();
    SgfError ErrorHere(std::string reason) const { return {mLine, mColumn, std::move(reason)}; }
    std::optional<SgfError> ReadNode(Node* node);
    std::optional<SgfError> ReadProperty(Property& property);
    std::optional<SgfError> ReadValue(std::string& value);

    std::string_view mText;  // the whole text
    std::size_t mAt = 0;     // the next byte to read
    int mLine = 1;           // where that byte stands
    int mColumn = 1;
    int mDepth = 0;  // the game trees open there
};

void SgfReader::Advance() {
    if (mText[mAt++] == '\n') {
        ++mLine;
        mColumn = 1;
    } else {
        ++mColumn;
    }
}

void SgfReader::SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek()))
        Advance();
}

// The main line runs until the first ')', which closes its last variation;
// what follows is other variations or other games, which are not read.
std::variant<std::vector<Node>, SgfError> SgfReader::MainLine() {
    if (mAt == 0 && mText.substr(0, 3) == "\xEF\xBB\xBF") mAt = 3;  // a UTF-8 byte order mark
    SkipBlanks();
    if (AtEnd() || Peek() != '(') return ErrorHere("not an SGF game, which begins with '('");
    std::vector<Node> nodes;
    for (;;) {
        SkipBlanks();
        if (AtEnd()) return ErrorHere("the game ends without its ')'");
        const char c = Peek();
        if (c == '(') {
            ++mDepth;
            Advance();
        } else if (c == ')') {
            if (nodes.empty()) return ErrorHere("a game without a node");
            return nodes;
        } else if (c == ';' && mDepth > 0) {
            Advance();
            nodes.emplace_back();
            if (auto error = ReadNode(&nodes.back())) return *error;
        } else {
            return ErrorHere(std::string("unexpected '") + c + "'");
        }
    }
}

std::optional<SgfError> SgfReader::SkipRestOfGame() {
    while (mDepth > 0) {
        SkipBlanks();
        if (AtEnd()) return ErrorHere("the game ends without its ')'");
        const char c = Peek();
        if (c == '[') {
            std::string value;
            if (auto error = ReadValue(value)) return error;
            continue;
        }
        mDepth += c == '(' ? 1 : c == ')' ? -1 : 0;
        Advance();
    }
    return std::nullopt;
}

bool SgfReader::HasMore() {
    SkipBlanks();
    return !AtEnd();
}

std::optional<SgfError> SgfReader::ReadNode(Node* node) {
    for (;;) {
        SkipBlanks();
        if (AtEnd() || !IsLetter(Peek())) return std::nullopt;
        Property property{{}, {}, mLine, mColumn};
        if (auto error = ReadProperty(property)) return error;
        node->push_back(std::move(property));
    }
}

// A name (its capitals; older files spell names out in lower case around
// them) and one or more values.
std::optional<SgfError> SgfReader::ReadProperty(Property& property) {
    while (!AtEnd() && IsLetter(Peek())) {
        if (Peek() >= 'A' && Peek() <= 'Z') property.name += Peek();
        Advance();
    }
    SkipBlanks();
    if (AtEnd() || Peek() != '[') return ErrorHere("a property without a value in '[]'");
    while (!AtEnd() && Peek() == '[') {
        property.values.emplace_back();
        if (auto error = ReadValue(property.values.back())) return error;
        SkipBlanks();
    }
    return std::nullopt;
}

// A value after its '[': '\' keeps the next byte as it is, and before a line
// break (a soft break) drops both.
std::optional<SgfError> SgfReader::ReadValue(std::string& value) {
    const SgfError unclosed = ErrorHere("a value whose ']' is missing");
    Advance();
    for (;;) {
        if (AtEnd()) return unclosed;
        char c = Peek();
        Advance();
        if (c == ']') return std::nullopt;
        if (c == '\\') {
            if (AtEnd()) return unclosed;
            c = Peek();
            Advance();
            if (c == '\n' || c == '\r') {
                const char pair = c == '\n' ? '\r' : '\n';
                if (!AtEnd() && Peek() == pair) Advance();
                continue;
            }
        }
        value += c;
    }
}

std::string Escaped(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        if (c == ']' || c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string PercentText(double percent) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(2) << percent;
    return text.str();
}

SgfError ErrorAt(const Property& property, std::string reason) {
    return {property.line, property.column, property.name + ": " + reason};
}

// Plays the record's moves, one per node, and keeps each move's notes.
class SgfGameReader {
  public:
    std::optional<SgfError> ReadNode(const Node& node, bool root);
    std::variant<SgfRecord, SgfError> Finish(const Property* boardSize);

  private:
    std::optional<SgfError> ReadRoot(const Property& property);
    std::optional<SgfError> ReadMove(const Property& property);
    std::optional<SgfError> ReadNote(const Property& property, bool root, bool hasMove);
    SgfMoveNote& NoteOfLastMove();

    Position mPosition;  // the game so far
    SgfRecord mRecord;   // what has been read
};

std::optional<SgfError> SgfGameReader::ReadNode(const Node& node, bool root) {
    bool hasMove = false;
    for (const Property& property : node) {
        const std::string& name = property.name;
        if (name == "AB" || name == "AW" || name == "AE") {
            return ErrorAt(property, "stones set up before the game are not played here");
        }
        if (name == "B" || name == "W") {
            if (auto error = ReadMove(property)) return error;
            hasMove = true;
        }
    }
    for (const Property& property : node) {
        if (root) {
            if (auto error = ReadRoot(property)) return error;
        }
        if (auto error = ReadNote(property, root, hasMove)) return error;
    }
    return std::nullopt;
}

std::optional<SgfError> SgfGameReader::ReadRoot(const Property& property) {
    const std::string& name = property.name;
    const std::string& value = property.values.front();
    if (name == "GM" && value != "1") return ErrorAt(property, "a game of another kind than GM[1]");
    if (name == "SZ" && value != "9" && value != "9:9") {
        return ErrorAt(property, "a board of " + value + ", not 9x9");
    }
    SgfHeader& header = mRecord.header;
    if (name == "PB") header.black = value;
    if (name == "PW") header.white = value;
    if (name == "DT") header.date = value;
    if (name == "RE") header.result = value;
    return std::nullopt;
}

std::optional<SgfError> SgfGameReader::ReadMove(const Property& property) {
    const int color = property.name == "B" ? Black : White;
    const std::string number = "move " + std::to_string(mPosition.Moves().size() + 1) + " (" +
                               property.name + "[" + property.values.front() + "])";
    const auto move = ParseSgfPoint(property.values.front());
    if (property.values.size() != 1 || !move) {
        return ErrorAt(property, number + ": not a point of the 9x9 board");
    }
    if (mPosition.IsOver()) return ErrorAt(property, number + ": the game was already over");
    if (color != mPosition.ToMove()) {
        return ErrorAt(property, number + ": " + (color == Black ? "White" : "Black") +
                                     " is to move, the colours alternate from Black");
    }
    const MoveOutcome outcome = mPosition.Play(*move);
    if (!outcome.Stands()) {
        return ErrorAt(property, number + ": " + (color == Black ? "Black" : "White") +
                                     " may not play there (" + RefusalName(outcome.refusal) + ")");
    }
    mRecord.moves.push_back(*move);
    return std::nullopt;
}

SgfMoveNote& SgfGameReader::NoteOfLastMove() {
    if (mRecord.notes.size() < mRecord.moves.size()) mRecord.notes.resize(mRecord.moves.size());
    return mRecord.notes[mRecord.moves.size() - 1];
}

// C and SBKV: a note on the node's move, or the root's comment; other nodes'
// are passed over.
std::optional<SgfError> SgfGameReader::ReadNote(const Property& property, bool root, bool hasMove) {
    const std::string& value = property.values.front();
    if (property.name == "C") {
        if (hasMove) {
            NoteOfLastMove().comment = value;
        } else if (root) {
            mRecord.header.comment = value;
        }
    }
    if (property.name == "SBKV" && hasMove) {
        const auto percent = ParseFraction(value);
        if (!percent || !(*percent >= 0.0f && *percent <= 100.0f)) {
            return ErrorAt(property, "not a percentage");
        }
        NoteOfLastMove().blackWinRate = *percent;
    }
    return std::nullopt;
}

// A resignation stands in RE alone: it is the last move when the side that
// gave up is the one to move.
std::variant<SgfRecord, SgfError> SgfGameReader::Finish(const Property* boardSize) {
    if (boardSize == nullptr) return SgfError{1, 1, "no SZ[9]: without it the board is 19x19"};
    const std::string& result = mRecord.header.result;
    const std::size_t plus = result.find('+');
    if (!mPosition.IsOver() && plus == 1 && result.substr(2, 1) == "R" &&
        (result[0] == 'B' || result[0] == 'W')) {
        const int loser = result[0] == 'B' ? White : Black;
        if (loser == mPosition.ToMove()) {
            mPosition.Play(Resign);
            mRecord.moves.push_back(Resign);
        }
    }
    return std::move(mRecord);
}

const Property* FindProperty(const Node& node, std::string_view name) {
    for (const Property& property : node) {
        if (property.name == name) return &property;
    }
    return nullptr;
}

}  // namespace

std::string SgfError::Message() const {
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + reason;
}

std::string SgfResultOf(const Position& position) {
    if (!position.IsOver()) return "";
    const std::string winner = position.Winner() == Black ? "B+" : "W+";
    return position.LastMove() == Resign ? winner + "R" : winner;
}

SgfRecord SgfRecordOf(const Position& position) {
    SgfRecord record;
    record.moves = position.Moves();
    record.header.result = SgfResultOf(position);
    return record;
}

std::string WriteSgf(const SgfRecord& record) {
    const SgfHeader& header = record.header;
    std::ostringstream out;
    out << "(;FF[4]GM[1]SZ[9]CA[UTF-8]AP[nanaren]RU[" << Escaped(SgfRules) << ']';
    const std::pair<const char*, const std::string*> fields[] = {
        {"PB", &header.black},  {"PW", &header.white},  {"DT", &header.date},
        {"RE", &header.result}, {"C", &header.comment},
    };
    for (const auto& [name, value] : fields) {
        if (!value->empty()) out << name << '[' << Escaped(*value) << ']';
    }
    out << '\n';
    int color = Black;
    for (std::size_t i = 0; i < record.moves.size() && record.moves[i] != Resign; ++i) {
        out << ';' << (color == Black ? 'B' : 'W') << '[' << SgfPointText(record.moves[i]) << ']';
        if (i < record.notes.size()) {
            const SgfMoveNote& note = record.notes[i];
            if (note.blackWinRate) out << "SBKV[" << PercentText(*note.blackWinRate) << ']';
            if (!note.comment.empty()) out << "C[" << Escaped(note.comment) << ']';
        }
        out << '\n';
        color = Opposite(color);
    }
    out << ")\n";
    return out.str();
}

namespace {

std::variant<SgfRecord, SgfError> ReadGame(SgfReader& reader) {
    auto mainLine = reader.MainLine();
    if (auto* error = std::get_if<SgfError>(&mainLine)) return *error;
    const std::vector<Node>& nodes = std::get<std::vector<Node>>(mainLine);
    SgfGameReader game;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (auto error = game.ReadNode(nodes[i], i == 0)) return *error;
    }
    return game.Finish(FindProperty(nodes.front(), "SZ"));
}

}  // namespace

std::variant<SgfRecord, SgfError> ReadSgf(std::string_view text) {
    SgfReader reader(text);
    return ReadGame(reader);
}

std::variant<std::vector<SgfRecord>, SgfError> ReadSgfGames(std::string_view text) {
    SgfReader reader(text);
    std::vector<SgfRecord> games;
    do {
        auto game = ReadGame(reader);
        if (auto* error = std::get_if<SgfError>(&game)) return *error;
        games.push_back(std::move(std::get<SgfRecord>(game)));
        if (auto error = reader.SkipRestOfGame()) return *error;
    } while (reader.HasMore());
    return games;
}

std::string SgfDate(std::time_t seconds) {
    char text[16] = "";
    if (const std::tm* local = std::localtime(&seconds))
        std::strftime(text, sizeof text, "%Y-%m-%d", local);
    return text;
}

}  // namespace nanaren
