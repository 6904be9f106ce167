#pragma once

// Every text the program prints, as the Shift-JIS bytes of the text in the
// comment above it.

namespace nanaren::messages {

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

}  // namespace nanaren::messages
