// Removing the program's registry traces.
#pragma once

#include "ports/registry_port.h"

namespace pixolet {

// Deletes the start-up value, the settings key and, when it has no other
// subkey, the company key "\Software\Velmora". Creates no key on the way and
// ignores every failure: each step runs whatever became of the earlier ones.
void RemoveRegistryEntries(Registry& registry);

}  // namespace pixolet
