#include "players/move_priors.h"

#include <algorithm>

#include "core/check.h"
#include "players/move_prior_table.h"

namespace nanaren {

MovePriors::MovePriors() : mLevels(LearnedPriors.levels) {
    const PatternWeight* begin = LearnedPriors.patterns;
    const PatternWeight* end = begin + LearnedPriors.patternCount;
    for (unsigned code = 0; code < mPattern.size(); ++code) {
        const std::uint16_t canonical = CanonicalPattern(static_cast<std::uint16_t>(code));
        const PatternWeight* found =
            std::lower_bound(begin, end, canonical,
                             [](const PatternWeight& p, std::uint16_t c) { return p.code < c; });
        mPattern[code] =
            found != end && found->code == canonical ? found->weight : LearnedPriors.rarePattern;
    }
}

const MovePriors& MovePriors::Learned() {
    static const MovePriors priors;
    return priors;
}

}  // namespace nanaren
