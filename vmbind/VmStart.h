#pragma once
// The VM start each launcher links: stub11 the JDK 1.1 one, stub12 (and
// the Linux launcher) the JDK 1.2 one. 0 when main has returned and the VM
// has been destroyed, -1 after a failure that has been shown to the user.

#include "launcher/LaunchParameters.h"

int startJavaVm(const LaunchParameters& parameters);
