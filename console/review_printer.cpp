#include "review_printer.h"

#include <cmath>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "coach_words.h"
#include "encoding.h"
#include "game/notation.h"
#include "game/sgf.h"
#include "players/levels.h"
#include "record_file.h"

namespace nanaren {

namespace {

std::string Percent(double chances) {
    return std::to_string(static_cast<int>(std::lround(100.0 * chances))) + "%";
}

std::string Header(int moves, int level, Language language) {
    const int playouts = LevelSettings(level).playouts;
    std::ostringstream text;
    if (language == Language::English) {
        text << "Review of " << moves << " moves at level " << level << " (" << playouts
             << " playouts a position)\n"
             << "move  player  played  chances  best  chances\n";
    } else {
        text << moves << "手の検討 (レベル" << level << "、一局面" << playouts << "プレイアウト)\n"
             << "  手  手番    着手    勝率  最善    勝率\n";
    }
    return text.str();
}

std::string MoveLine(int number, const MoveReview& move, Language language) {
    std::ostringstream line;
    line << std::setw(4) << number << "  " << ColourWords(move.mover, language)
         << (language == Language::English ? "   " : "    ") << std::left << std::setw(6)
         << MoveText(move.move) << std::right << std::setw(9) << Percent(move.winAfter) << "  "
         << std::left << std::setw(6) << MoveText(move.best) << std::right << std::setw(5)
         << Percent(move.bestWinRate);
    const std::string kind = ClassWords(move.kind, language);
    if (!kind.empty()) line << "  " << kind;
    if (!move.threat.empty()) line << ": " << LineWords(move.threat);
    return line.str() + "\n";
}

std::string SideLine(int color, const SideReview& side, Language language) {
    std::ostringstream line;
    line << ColourWords(color, language)
         << (language == Language::English ? ": accuracy " : ": 正確さ ")
         << static_cast<int>(std::lround(side.accuracy)) << '%';
    for (int k = 1; k < MoveClassCount; ++k) {
        if (side.counts[k] == 0) continue;
        line << (language == Language::English ? "; " : "、") << side.counts[k] << ' '
             << ClassWords(static_cast<MoveClass>(k), language);
    }
    return line.str() + "\n";
}

}  // namespace

void PrintReview(const GameReview& review, int level, Language language, Encoding encoding,
                 std::ostream& out) {
    std::string text = Header(static_cast<int>(review.moves.size()), level, language);
    for (std::size_t i = 0; i < review.moves.size(); ++i)
        text += MoveLine(static_cast<int>(i + 1), review.moves[i], language);
    for (const int color : {Black, White})
        text += SideLine(color, review.sides[ColorIndex(color)], language);
    out << Encoded(text, encoding) << std::flush;
}

SgfRecord ReviewSgfRecord(const std::vector<Vertex>& moves, const GameReview& review, int level,
                          Language language) {
    Position game;
    for (const Vertex move : moves)
        game.Play(move);
    SgfRecord record = SgfRecordOf(game);
    record.header.comment = language == Language::English
                                ? "Reviewed at level " + std::to_string(level)
                                : "レベル" + std::to_string(level) + "で検討";
    for (const MoveReview& move : review.moves) {
        SgfMoveNote note;
        note.blackWinRate = 100.0 * (move.mover == Black ? move.winAfter : 1.0 - move.winAfter);
        note.comment = ClassWords(move.kind, language);
        if (!move.threat.empty()) note.comment += ": " + LineWords(move.threat);
        record.notes.push_back(note);
    }
    return record;
}

std::string ReviewSgf(const std::vector<Vertex>& moves, const GameReview& review, int level,
                      Language language) {
    return WriteSgf(ReviewSgfRecord(moves, review, level, language));
}

bool ReviewGameFile(const ReviewRequest& request, std::ostream& out, std::ostream& err) {
    std::ifstream file(request.path, std::ios::binary);
    if (!file) {
        err << "nanaren: cannot read " << request.path << '\n';
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::string error;
    const auto moves = ReadGameFile(text.str(), error);
    if (!moves) {
        err << "nanaren: " << request.path << ": " << error << '\n';
        return false;
    }
    const GameReview review = ReviewGame(*moves, AnalysisSettings(request.level));
    PrintReview(review, request.level, request.language, request.encoding, out);
    if (request.sgfPath.empty()) return true;
    std::ofstream sgf(request.sgfPath, std::ios::binary);
    sgf << ReviewSgf(*moves, review, request.level, request.language);
    sgf.close();
    if (sgf) return true;
    err << "nanaren: cannot write " << request.sgfPath << '\n';
    return false;
}

}  // namespace nanaren
