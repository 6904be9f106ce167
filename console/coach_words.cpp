#include "coach_words.h"

#include "game/notation.h"

namespace nanaren {

namespace {

bool English(Language language) {
    return language == Language::English;
}

std::string WhoseWords(Whose whose, Language language) {
    switch (whose) {
        case Whose::Yours:
            return English(language) ? "your" : "あなたの";
        case Whose::Black:
            return English(language) ? "Black's" : "黒の";
        default:
            return English(language) ? "White's" : "白の";
    }
}

}  // namespace

std::string LineWords(const std::vector<Vertex>& line) {
    std::string text;
    for (const Vertex v : line) {
        if (!text.empty()) text += ", ";
        text += MoveText(v);
    }
    return text;
}

std::string ReasonWords(const MoveReason& reason, Whose other, Language language) {
    const std::string whose = WhoseWords(other, language);
    const std::string point = reason.point == NoVertex ? "" : MoveText(reason.point);
    switch (reason.kind) {
        case MoveReason::Kind::Wins:
            return English(language) ? "wins" : "勝ちの一手";
        case MoveReason::Kind::BlocksSeven:
            return English(language) ? "blocks " + whose + " seven at " + point
                                     : whose + "七連を" + point + "で止める";
        case MoveReason::Kind::BreaksLine:
            return English(language) ? "breaks " + whose + " line by capturing " + point
                                     : point + "を取って" + whose + "列を切る";
        case MoveReason::Kind::StartsForcedWin:
            return English(language) ? "starts a forced win: " + LineWords(reason.line)
                                     : "必勝手順の始まり: " + LineWords(reason.line);
        case MoveReason::Kind::StopsForcedWin:
            return English(language) ? "stops " + whose + " forced win"
                                     : whose + "必勝手順を止める";
        default:
            return "";
    }
}

std::string EstimateWords(double personChances, Language language) {
    if (personChances >= 0.85) return English(language) ? "you are winning" : "あなたの勝ちが近い";
    if (personChances >= 0.6) return English(language) ? "good for you" : "あなたが有利";
    if (personChances > 0.4) return English(language) ? "even" : "互角";
    if (personChances > 0.15) {
        return English(language) ? "good for the computer" : "コンピュータが有利";
    }
    return English(language) ? "the computer is winning" : "コンピュータの勝ちが近い";
}

std::string ClassWords(MoveClass kind, Language language) {
    switch (kind) {
        case MoveClass::Inaccuracy:
            return English(language) ? "inaccuracy" : "疑問手";
        case MoveClass::Mistake:
            return English(language) ? "mistake" : "悪手";
        case MoveClass::Blunder:
            return English(language) ? "blunder" : "大悪手";
        case MoveClass::MissedWin:
            return English(language) ? "missed a win in one" : "勝ちを逃した";
        case MoveClass::MissedForcedWin:
            return English(language) ? "missed a forced win" : "必勝を逃した";
        case MoveClass::AllowedWin:
            return English(language) ? "allowed a win in one" : "一手勝ちを許した";
        case MoveClass::AllowedForcedWin:
            return English(language) ? "allowed a forced win" : "必勝を許した";
        default:
            return "";
    }
}

std::string ColourWords(int color, Language language) {
    if (color == Black) return English(language) ? "Black" : "黒";
    return English(language) ? "White" : "白";
}

}  // namespace nanaren
