#pragma once
// The JDK 1.1 VM start (stub11). 0 when main has returned and the VM has
// been destroyed, -1 after a failure that has been shown to the user.

#include "launcher/LaunchParameters.h"

int startJdk11Vm(const LaunchParameters& parameters);
