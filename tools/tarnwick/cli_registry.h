// The registry the CLI works on: the real one on Windows; on the host a store
// file, named by TARNWICK_REGISTRY_FILE or else ~/.tarnwick-registry.
#pragma once

#include <string>

#include "platform/registry.h"

namespace tarnwick::cli {

Registry& CliRegistry();
// The folder of the running tarnwick program, as a core path.
std::u16string RunningProgramFolder();

}  // namespace tarnwick::cli
