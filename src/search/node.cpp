#include "search/node.h"

namespace nanaren {

void InitNode(Node& node, std::int16_t move) {
    node.move = move;
    node.childRun = 0;
    node.visits = 0.0f;
    node.value = 0.0f;
    node.amafVisits = 1.0f;
    node.amafValue = 0.5f;
    node.firstChild = NoNode;
    node.nextSibling = NoNode;
    node.prevSibling = NoNode;
    node.parent = NoNode;
}

}  // namespace nanaren
