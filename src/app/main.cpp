// The tool's entry point.
#include "app/startup.h"

int main(int argc, char** argv) { return zorvika::RunProgram(argc, argv); }
