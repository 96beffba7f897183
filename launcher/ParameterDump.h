#pragma once
// The parameter dump: the texts that `dumpParameters` hands to the
// diagnostic log, one per line, in order.

#include "launcher/LaunchParameters.h"

List<Text> parameterDumpLines(const LaunchParameters& parameters);
