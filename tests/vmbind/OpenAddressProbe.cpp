// Opens the address given as its argument with platform::openInBrowser
// (ShellExecuteA), as a launcher does when the user answers Yes to the
// download offer; exit code 0 when the system handed it to a program.
#include "platform/Browser.h"

int main(int argc, char** argv) { return argc == 2 && platform::openInBrowser(argv[1]) ? 0 : 1; }
