#include "search/line_info.h"

#include <algorithm>

namespace nanaren {

// Steps from edge[1] to the forward end space.
std::int32_t LineInfo::ForwardSpan() const {
    if (edgeSpace[0] == 0 || edge[1] == 0) return 0;
    return (edgeSpace[0] - edge[1]) / dir;
}

// Steps from the backward end space to edge[0].
std::int32_t LineInfo::BackwardSpan() const {
    if (edgeSpace[1] == 0) return 0;
    return (edge[0] - edgeSpace[1]) / dir;
}

std::int32_t LineInfo::NextVirtualLengthMax() const {
    return std::max(ForwardSpan(), BackwardSpan()) + 1;
}

std::int32_t LineInfo::NextVirtualEdgeSpace() const {
    return ForwardSpan() > BackwardSpan() ? edgeSpace[0] : edgeSpace[1];
}

std::int32_t LineInfo::NextVirtualDir() const {
    return ForwardSpan() > BackwardSpan() ? -dir : dir;
}

}  // namespace nanaren
