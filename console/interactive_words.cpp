#include "interactive_words.h"

#include "level_texts.h"

namespace nanaren {

namespace {

bool English(Language language) {
    return language == Language::English;
}

constexpr InteractiveWords EnglishWords = {
    "you",
    "Computer",
    ", ",
    "captured",
    "empty",
    "last move",
    "the winning seven",
    "u take back   h hint   p pass   r resign   q quit   ? help",
    "pass",
    "You passed.",
    "Hint",
    "[Looking for a hint]",
    "then",
    "Taken back: your move again.",
    "Nothing to take back.",
    "Type 1 for Black or 2 for White (q quits).",
    "Record saved: ",
    "Record (no file could be written): ",
    "Play again? [y/n, u takes back]:",
};

constexpr InteractiveWords JapaneseWords = {
    "あなた",
    "コンピュータ",
    " ",
    "取った石",
    "空点",
    "直前の手",
    "勝ちの七連",
    "u 待った   h ヒント   p パス   r 投了   q 終了   ? ヘルプ",
    "パス",
    "パスしました。",
    "ヒント",
    "[ヒント検討中]",
    "続き",
    "待った: あなたの手番に戻しました。",
    "戻せる手がありません。",
    "黒は1、白は2を入力して下さい(qで終了)。",
    "棋譜を保存しました: ",
    "棋譜(ファイルに保存できませんでした): ",
    "もう一度対局しますか[y/n, uで待った]:",
};

// The typed text quoted in the language's marks.
std::string Quoted(std::string_view typed, Language language) {
    return English(language) ? "'" + std::string(typed) + "'" : "「" + std::string(typed) + "」";
}

// The reason after the quoted move, in English.
const char* EnglishReason(Refusal refusal) {
    switch (refusal) {
        case Refusal::OffBoard:
            return " is off the board: columns and rows go from 1 to 9";
        case Refusal::Occupied:
            return " is taken: a stone is there";
        case Refusal::Ko:
            return " is ko: a single stone just captured cannot be taken back at once";
        case Refusal::Suicide:
            return " is suicide: the stone would have no liberty and captures nothing";
        case Refusal::Overline:
            return " is an overline: Black may not make eight or more in a line";
        case Refusal::GameOver:
            return ": the game is over";
        default:
            return ": it is not your turn";
    }
}

const char* JapaneseReason(Refusal refusal) {
    switch (refusal) {
        case Refusal::OffBoard:
            return "は盤の外です(列と行は1から9)";
        case Refusal::Occupied:
            return "には石があります";
        case Refusal::Ko:
            return "はコウです(取られたばかりの一子はすぐには取り返せません)";
        case Refusal::Suicide:
            return "は自殺手です(呼吸点がなく、石も取れません)";
        case Refusal::Overline:
            return "は長連です(黒は八つ以上並べられません)";
        case Refusal::GameOver:
            return ": 対局は終わっています";
        default:
            return ": あなたの手番ではありません";
    }
}

}  // namespace

const InteractiveWords& WordsFor(Language language) {
    return English(language) ? EnglishWords : JapaneseWords;
}

std::vector<std::string> HelpLines(Language language) {
    if (English(language)) {
        return {
            "A move is the column, then the row, each 1 to 9: 5 3 or 5-3.",
            "A straight line of exactly seven stones wins, unless all lie on the outermost",
            "line; Black may not make eight or more. Stones without a liberty are captured.",
            "u takes back your move and the reply, h hints, p passes, r resigns, q quits.",
        };
    }
    return {
        "着手は列、行の順に1から9で: 5 3 または 5-3",
        "ちょうど七つの石が一直線に並べば勝ち(一番外側の線上だけの列は除く)。",
        "黒は八つ以上並べられません。呼吸点のなくなった石は取られます。",
        "u 待った(あなたの手と応手を戻す)  h ヒント  p パス  r 投了  q 終了",
    };
}

std::string RefusalWords(std::string_view typed, Refusal refusal, Language language) {
    return Quoted(typed, language) +
           (English(language) ? EnglishReason(refusal) : JapaneseReason(refusal));
}

std::string NotAMoveWords(std::string_view typed, Language language) {
    return Quoted(typed, language) +
           (English(language)
                ? " is not a move: type the column and the row, 5 3 or 5-3 (? for help)"
                : "は着手ではありません: 列と行を「5 3」か「5-3」の形で(?でヘルプ)");
}

std::string LevelWords(int level, Language language) {
    const LevelText& text = LevelTextOf(level, language);
    return English(language) ? "level " + std::to_string(level) + ", " + text.name
                             : "レベル" + std::to_string(level) + " (" + text.name + ")";
}

std::string PlayoutWords(int playouts, Language language) {
    return English(language) ? std::to_string(playouts) + " playouts a move"
                             : "一手" + std::to_string(playouts) + "プレイアウト";
}

std::string ResultDetailWords(std::size_t moves, bool resigned, Language language) {
    const std::string count = std::to_string(moves);
    if (English(language)) {
        return resigned ? " by resignation after " + count + " moves" : " in " + count + " moves";
    }
    return resigned ? "(" + count + "手で投了)" : "(" + count + "手)";
}

}  // namespace nanaren
