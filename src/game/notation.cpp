#include "game/notation.h"

namespace nanaren {

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

}  // namespace nanaren
