#pragma once
// One instance of a program ("singleinstance"): a later start hands its
// current folder and arguments to the first and ends; the first passes
// each hand-over to the program's handler ("instancehandler"
// CLASS.METHOD, a `static void METHOD(String folder, String[] args)`) on
// a thread of its own attached to the VM, one at a time in the order they
// came. Without a handler, Windows brings the first instance's window to
// the front and Linux writes the hand-over to the diagnostic log.

#include <jni.h>

#include "launcher/LaunchParameters.h"

// Before the VM is loaded, in the caller's current folder: true when this
// is a later start, after it has handed over (`exitCode` 0) or found the
// first silent for 5 seconds (said on standard error, in a message box by
// a windowed Windows program; `exitCode` 1).
bool handOverToFirstInstance(const LaunchParameters& parameters, int& exitCode);

// After the VM is created: the first instance starts taking hand-overs.
void serveHandOvers(JNIEnv* env, const LaunchParameters& parameters);

// The lock's name: 16 hexadecimal digits of a hash of `id`, or of the
// executable's path when `id` is empty.
Text instanceName(const Text& id, const Text& executablePath);
