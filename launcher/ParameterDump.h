#pragma once
// The parameter dump: the texts that `dumpParameters` hands to the
// diagnostic log, one per line, in order.

#include <string>
#include <vector>

#include "launcher/LaunchParameters.h"

std::vector<std::string> parameterDumpLines(const LaunchParameters& parameters);
