// Start-up of the tool: the toolkit, the fatal-error message box, the main
// window and the event loop.
#pragma once

namespace zorvika {

// Makes RunTimeError show its message in a message box on the window thread
// (the failing thread waits until it is closed) before the program ends.
void InstallRunTimeErrorMessageBox();

// Starts the toolkit, shows the main window and runs the event loop until the
// main window is closed; returns the program's exit code.
int RunProgram(int& argc, char** argv);

}  // namespace zorvika
