#include "uct.h"

#include "tree.h"

namespace nanaren {

Uct::Uct(const PlayerSettings& settings)
    : mPlayouts(settings.playouts), mTree(std::make_unique<Tree>()) {}

Uct::~Uct() = default;

}  // namespace nanaren
