// The command rules both editors describe alike, each by its own ids: the
// folder commands of the library tree, Always on Top, and the two bars.
#pragma once

#include <vector>

#include "cardtree/tree_flavour.h"
#include "editor_common/command_table.h"

namespace tarnwick {

std::vector<CommandRule> SharedCommandRules(const TreeCommandIds& tree, unsigned alwaysOnTop);

}  // namespace tarnwick
