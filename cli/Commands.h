#pragma once
// The commands of caskit. Each returns the process exit code:
// 0 success, 1 failure, 2 wrong usage. Messages the engine shows are
// routed to standard error by each command's MessageLog (MessageLog.h).

#include <string>
#include <vector>

int runNew(const std::vector<std::string>& words);
int runCompile(const std::vector<std::string>& words);
int runShow(const std::vector<std::string>& words);
int runSet(const std::vector<std::string>& words);
// Linux only (cli/bundle/).
int runBundle(const std::vector<std::string>& words);
// caskit cache list | clear --all|EXECUTABLE (CacheCommand.cpp).
int runCache(const std::vector<std::string>& words);

// Text for "caskit --help".
void printHelp();
