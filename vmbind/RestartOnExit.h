#pragma once
// Restarting the program when it ends with System.exit(N) of the project's
// restart code ("restartexitcode"). The first process stays and runs the
// chain: the VM's exit hook sees the code, starts the executable again as
// a new process (a VM cannot be created twice in one process), waits for
// it, and repeats while the new one ends with the code too and the restart
// limit allows; then it ends with the last exit code. The caller waits for
// the first process, on Windows and Linux alike, and so gets the final
// code; a console program's console and streams pass to each new process.

#include <jni.h>

#include "launcher/LaunchParameters.h"
#include "platform/List.h"

// Adds the "exit" hook to `options` when the project restarts on an exit
// code and this process is the first of its chain. A process that is a
// restart (marked in its environment by the first, and the mark removed
// here before the VM sees it) ends with its code as any program does.
void addRestartHook(const LaunchParameters& parameters, List<JavaVMOption>& options);
