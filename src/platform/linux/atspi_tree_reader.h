// Reads a window of another program into an AccessibleTree, depth first,
// within bounds on size, depth and time, so that a huge, endless or hung tree
// costs little.
#pragma once

#include <vector>

#include "platform/linux/atspi_objects.h"
#include "ports/accessibility_port.h"

namespace pixolet::linux_common {

// Reads `window` into `tree`, keeping a reference to each object read in
// `objects` at the node's number. False when the program did not answer in
// time or the time budget ran out.
bool ReadAccessibleTree(AtspiAccessible* window, AccessibleTree& tree,
                        std::vector<GRef<AtspiAccessible>>& objects);

}  // namespace pixolet::linux_common
