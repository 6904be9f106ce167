#include "dialogue.h"

namespace nanaren::testing {

std::string RenderBoard(const Board& board) {
    std::string text = "    [ 1 2 3 4 5 6 7 8 9]\n";
    for (int y = 1; y <= 9; ++y) {
        text += "[ " + std::to_string(y) + "] ";
        for (int x = 1; x <= 9; ++x) {
            text += ' ';
            text += "+@O"[board.Cell(GetVertex(x, y))];
        }
        text += '\n';
    }
    return text;
}

Dialogue::Dialogue(int human, const Texts& texts)
    : mHuman(human), mTexts(texts), mText(texts.chooseColor) {
    if (human == Black) mText += RenderBoard(mBoard);
}

Board::PutResult Dialogue::Human(int x, int y, Board::PutResult lastResult) {
    mText += mTexts.yourMove;
    Board::PutResult result = lastResult;
    if (x != -1 && y != -1) {
        const bool onGrid = x >= 0 && x <= 10 && y >= 0 && y <= 10;
        result = onGrid ? mBoard.PutAt(GetVertex(x, y), mHuman) : Board::Failure;
    }
    mText += RenderBoard(mBoard);
    if (result == Board::Win) mText += std::string(mTexts.youWin) + "\n";
    return result;
}

void Dialogue::HumanRefused() {
    mText += mTexts.yourMove;
    mText += RenderBoard(mBoard);
}

Vertex Dialogue::Computer(Board::PutResult& result) {
    const int computer = Opposite(mHuman);
    Vertex chosen = -1;
    result = Board::Success;
    for (int i = 0; i < mBoard.EmptyCount(); ++i) {
        Board trial;
        trial.CopyPosition(mBoard);
        const Board::PutResult r = trial.PutAt(mBoard.EmptyPoint(i), computer);
        if (r == Board::Win) {
            chosen = mBoard.EmptyPoint(i);
            result = Board::Win;
            break;
        }
        if (r == Board::Success && chosen == -1) chosen = mBoard.EmptyPoint(i);
    }
    mText += std::string(mTexts.thinking) + "\n\n";
    if (chosen != -1) {
        mText += std::string(mTexts.winningRate) + (result == Board::Win ? "100" : "50") + "%\n";
        mBoard.PutAt(chosen, computer);
    }
    const int x = chosen == -1 ? -1 : GetX(chosen);
    const int y = chosen == -1 ? -1 : GetY(chosen);
    mText += "AI:" + std::to_string(x) + ", " + std::to_string(y) + "\n";
    mText += RenderBoard(mBoard);
    if (result == Board::Win) mText += std::string(mTexts.youLose) + "\n";
    return chosen;
}

void Dialogue::EndOfInput() {
    mText += mTexts.yourMove;
    mText += "\n";
}

}  // namespace nanaren::testing
