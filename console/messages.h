#pragma once

// Every text the program prints: the Japanese texts as Shift-JIS bytes (the
// game's own) and as UTF-8, and the English ones, which are ASCII and so the
// same in either encoding.

namespace nanaren {

enum class Language { Japanese, English };
enum class Encoding { ShiftJis, Utf8 };

namespace messages {

// "手番を選択して下さい[黒:1 白:2]:": choose your side, black 1, white 2
inline constexpr char ChooseColor[] =
    "\x8e\xe8\x94\xd4\x82\xf0\x91\x49\x91\xf0\x82\xb5\x82\xc4\x89\xba\x82\xb3\x82\xa2[\x8d\x95:1 "
    "\x94\x92:2]:";

// "あなたの手番です:": your move
inline constexpr char YourMove[] =
    "\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x8e\xe8\x94\xd4\x82\xc5\x82\xb7:";

// "あなたの勝ちです": you win
inline constexpr char YouWin[] = "\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x8f\x9f\x82\xbf\x82\xc5\x82\xb7";

// "あなたの負けです": you lose
inline constexpr char YouLose[] =
    "\x82\xa0\x82\xc8\x82\xbd\x82\xcc\x95\x89\x82\xaf\x82\xc5\x82\xb7";

// "[思考中]": thinking
inline constexpr char Thinking[] = "[\x8e\x76\x8d\x6c\x92\x86]";

// "コンピュータの勝率推定:": the computer's estimated winning rate
inline constexpr char WinningRate[] =
    "\x83\x52\x83\x93\x83\x73\x83\x85\x81\x5b\x83\x5e\x82\xcc\x8f\x9f\x97\xa6\x90\x84\x92\xe8:";

// "プレイヤーの着手推定:(": the player's expected move
inline constexpr char ExpectedReply[] =
    "\x83\x76\x83\x8c\x83\x43\x83\x84\x81\x5b\x82\xcc\x92\x85\x8e\xe8\x90\x84\x92\xe8:(";

}  // namespace messages

// The texts of one language and encoding, in the order of the game.
struct Texts {
    const char* chooseColor;    // the colour question
    const char* yourMove;       // the prompt for a move
    const char* youWin;         // the end of a game the person won
    const char* youLose;        // the end of a game the computer won
    const char* thinking;       // the line before a search's progress
    const char* winningRate;    // before the computer's winning rate in percent
    const char* expectedReply;  // before "x, y)", the reply the computer expects
};

// The game's own texts.
inline constexpr Texts ShiftJisTexts = {
    messages::ChooseColor, messages::YourMove,    messages::YouWin,        messages::YouLose,
    messages::Thinking,    messages::WinningRate, messages::ExpectedReply,
};

// The same Japanese as UTF-8; the tests hold each to its Shift-JIS bytes above.
inline constexpr Texts Utf8Texts = {
    "手番を選択して下さい[黒:1 白:2]:",
    "あなたの手番です:",
    "あなたの勝ちです",
    "あなたの負けです",
    "[思考中]",
    "コンピュータの勝率推定:",
    "プレイヤーの着手推定:(",
};

inline constexpr Texts EnglishTexts = {
    "Choose your side [Black:1 White:2]:", "Your move:",       "You win", "You lose", "[Thinking]",
    "Computer's estimated winning rate:",  "Expected reply:(",
};

inline constexpr const Texts& TextsFor(Language language, Encoding encoding) {
    if (language == Language::English) return EnglishTexts;
    return encoding == Encoding::Utf8 ? Utf8Texts : ShiftJisTexts;
}

}  // namespace nanaren
