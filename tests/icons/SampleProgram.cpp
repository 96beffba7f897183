// A program with no resources of its own that ends with exit code 7: the
// icon tests write resources into copies of it and run them.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 7; }
