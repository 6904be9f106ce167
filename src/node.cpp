#include "node.h"

#include <cmath>

namespace nanaren {

namespace {

constexpr double VarianceCap = 0.25;

// mean + sqrt(logTotal / count * min(V, 1/4)), the UCB1-tuned upper bound.
// 2 logTotal / count is exactly twice logTotal / count, and once its square
// root alone reaches the cap, so does V, whose other term is never negative:
// the variance estimate is then not needed.
double UpperBound(float mean, float logTotal, float count) {
    const double share = logTotal / static_cast<double>(count);
    double capped = VarianceCap;
    if (!(2.0 * share >= VarianceCap * VarianceCap)) {
        const float variance = VarianceEstimate(mean, logTotal, count);
        if (variance < VarianceCap) capped = variance;
    }
    return mean + std::sqrt(share * capped);
}

}  // namespace

void InitNode(Node& node, std::int16_t move) {
    node.move = move;
    node.visits = 0.0f;
    node.value = 0.0f;
    node.amafVisits = 1.0f;
    node.amafValue = 0.5f;
    node.firstChild = -1;
    node.nextSibling = -1;
    node.prevSibling = -1;
    node.parent = -1;
}

float AmafWeight(float parentVisits) {
    const double n = parentVisits;
    const float beta = static_cast<float>(std::sqrt(1000.0 / (3.0 * n + 1000.0)));
    return beta;
}

float VarianceEstimate(float mean, float logTotal, float count) {
    const double m = mean;
    const float spread = static_cast<float>(m - m * m);
    const float estimate =
        static_cast<float>(std::sqrt(2.0 * logTotal / static_cast<double>(count)) + spread);
    return estimate;
}

double BlendedBound(const Node& child, float beta, float logN, float logA) {
    const double own = UpperBound(child.value, logN, child.visits);
    const double amaf = UpperBound(child.amafValue, logA, child.amafVisits);
    return beta * amaf + (1.0 - beta) * own;
}

}  // namespace nanaren
