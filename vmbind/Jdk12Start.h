#pragma once
// The JDK 1.2 VM start (stub12, stub12c and the Linux launcher). 0 when
// main has returned and the VM has been destroyed, -1 after a failure that
// has been shown to the user.

#include "launcher/LaunchParameters.h"

int startJdk12Vm(const LaunchParameters& parameters);
