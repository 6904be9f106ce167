#include "review_printer.h"

#include <cmath>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "coach_words.h"
#include "encoding.h"
#include "game/notation.h"
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

bool ReviewGameFile(const std::string& path, int level, Language language, Encoding encoding,
                    std::ostream& out, std::ostream& err) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        err << "nanaren: cannot read " << path << '\n';
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::string error;
    const auto moves = ReadGameFile(text.str(), error);
    if (!moves) {
        err << "nanaren: " << path << ": " << error << '\n';
        return false;
    }
    PrintReview(ReviewGame(*moves, AnalysisSettings(level)), level, language, encoding, out);
    return true;
}

}  // namespace nanaren
