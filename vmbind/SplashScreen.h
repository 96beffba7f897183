#pragma once
// The program's splash screen, shown before the VM is created through the
// runtime's own splash library (libsplashscreen.so, splashscreen.dll: one
// folder above the VM library), the one java.awt.SplashScreen talks to:
// the program finds the screen there, may draw on it and close it, and
// its first window closes it.

#include "launcher/LaunchParameters.h"

// Shows the executable's splash image with the splash library of the
// runtime whose VM library holds `vmEntry`, and with a timeout starts the
// thread that closes it. Nothing when the executable has no image; a
// runtime without the library, or an image that cannot be read or shown,
// starts without a splash and says why in the diagnostic log.
void showSplashScreen(const LaunchParameters& parameters, const void* vmEntry);

// Closes the splash screen, if one is shown: a start that fails before
// the program runs leaves none behind over its message.
void closeSplashScreen();
