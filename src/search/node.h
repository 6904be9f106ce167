#pragma once

#include <cstdint>

namespace nanaren {

// A link to no node.
inline constexpr std::int32_t NoNode = -1;

// One node of the search tree. Statistics are 32-bit floats; the links are
// slot numbers in the pool, NoNode for none.
struct Node {
    std::int16_t move;         // vertex played to reach this node, NoVertex for the root
    std::uint16_t childRun;    // n > 0: the n children, in list order, fill the slots
                               // firstChild, firstChild - 1, ...; 0: they lie elsewhere
    float visits;              // results backed up through this node
    float value;               // mean result for the player who made move
    float amafVisits;          // all-moves-as-first count
    float amafValue;           // all-moves-as-first mean
    std::int32_t firstChild;   // head of the child list
    std::int32_t nextSibling;  // next child of the same parent
    std::int32_t prevSibling;  // previous child of the same parent
    std::int32_t parent;       // the node one level up
};

// Adds the result r to a running mean over count results.
inline void AddResult(float& count, float& mean, double r) {
    const double n = count;
    const float newMean = static_cast<float>((r + n * static_cast<double>(mean)) / (n + 1.0));
    const float newCount = static_cast<float>(n + 1.0);
    mean = newMean;
    count = newCount;
}

// Sets a node to the fresh state: no visits, an all-moves-as-first prior of
// one half-won visit, no links.
void InitNode(Node& node, std::int16_t move);

}  // namespace nanaren
