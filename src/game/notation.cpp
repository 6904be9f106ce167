#include "game/notation.h"

namespace nanaren {

namespace {

// GTP's column letters: I is left out, so that it is not read as J or 1.
constexpr std::string_view GtpColumns = "ABCDEFGHJ";

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameLetters(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (Upper(text[i]) != upper[i]) return false;
    }
    return true;
}

}  // namespace

std::string PointText(Vertex v, std::string_view separator) {
    return std::to_string(GetX(v)) + std::string(separator) + std::to_string(GetY(v));
}

std::string MoveText(Vertex move) {
    if (move == Pass) return "pass";
    if (move == Resign) return "resign";
    return PointText(move, "-");
}

std::optional<Vertex> ParseMove(std::string_view text) {
    if (text == "pass") return Pass;
    if (text == "resign") return Resign;
    const auto isDigit = [](char c) { return c >= '1' && c <= '9'; };
    if (text.size() != 3 || text[1] != '-' || !isDigit(text[0]) || !isDigit(text[2])) {
        return std::nullopt;
    }
    return GetVertex(text[0] - '0', text[2] - '0');
}

std::string GtpVertexText(Vertex move) {
    if (move == Pass) return "pass";
    if (move == Resign) return "resign";
    return GtpColumns[GetX(move) - 1] + std::to_string(BoardSize + 1 - GetY(move));
}

std::optional<Vertex> ParseGtpVertex(std::string_view text) {
    if (SameLetters(text, "PASS")) return Pass;
    if (SameLetters(text, "RESIGN")) return Resign;
    if (text.size() != 2) return std::nullopt;
    const std::size_t column = GtpColumns.find(Upper(text[0]));
    const char row = text[1];
    if (column == std::string_view::npos || row < '1' || row > '9') return std::nullopt;
    return GetVertex(static_cast<int>(column) + 1, BoardSize + 1 - (row - '0'));
}

std::string SgfPointText(Vertex move) {
    if (!IsPlayingPoint(move)) return "";
    return {static_cast<char>('a' + GetX(move) - 1), static_cast<char>('a' + GetY(move) - 1)};
}

std::optional<Vertex> ParseSgfPoint(std::string_view text) {
    if (text.empty() || text == "tt") return Pass;
    const auto isLetter = [](char c) { return c >= 'a' && c < 'a' + BoardSize; };
    if (text.size() != 2 || !isLetter(text[0]) || !isLetter(text[1])) return std::nullopt;
    return GetVertex(text[0] - 'a' + 1, text[1] - 'a' + 1);
}

}  // namespace nanaren
