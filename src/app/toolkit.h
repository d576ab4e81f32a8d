// The window toolkit operations the application shell uses: starting the
// toolkit, building windows from their layouts, modal and modeless loading,
// running the event loop and showing a fatal message. One backend implements
// them per toolkit (toolkit_qt.cpp for Qt 6 Widgets); nothing else in the shell
// names a toolkit type.
#pragma once

#include <functional>
#include <memory>

#include "app/window_layout.h"
#include "batch/window_controls.h"
#include "core/text.h"

namespace zorvika {

// A window built from its layout. The WindowControls operations may be called
// from any thread: a call from another thread is carried out on the window
// thread while the caller waits; a call from the window thread runs at once.
// Text goes in and comes out in code page 936. An unknown control name, or a
// row or column outside the list, makes the call do nothing (or give empty/0).
class ToolkitWindow : public WindowControls {
 public:
  // Destroys the window and its controls; call on the window thread.
  ~ToolkitWindow() override = default;
};

// What a window reports to its owner, always on the window thread.
struct WindowEvents {
  // A button was clicked; `button` is its name.
  std::function<void(ToolkitWindow& window, const Text& button)> clicked;
  // The window is about to close (close box, Esc or UnloadWindow); it still
  // exists and answers calls until this returns.
  std::function<void(ToolkitWindow& window)> closing;
};

// Starts the toolkit for the process; exactly one lives at a time, created
// first and destroyed last on the window thread.
class ToolkitSession {
 public:
  ToolkitSession(int& argc, char** argv);
  ~ToolkitSession();
  ToolkitSession(const ToolkitSession&) = delete;
  ToolkitSession& operator=(const ToolkitSession&) = delete;

  // Runs the event loop until the last window is closed; returns the exit code.
  int RunEventLoop();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// LoadWindow, not modal: builds the window from `layout`, shows it centred and
// returns at once. The window closes on the user's request (close box, Esc) and
// is destroyed when the owner releases it.
std::unique_ptr<ToolkitWindow> LoadWindow(const WindowLayout& layout, WindowEvents events);

// LoadWindow, modal: builds the window from `layout` and shows it centred; every
// other window of the program is disabled until it closes, and the call returns
// only then, with the window destroyed and the others enabled again.
void LoadModalWindow(const WindowLayout& layout, WindowEvents events);

// Closes the window (its `closing` event runs first). A modal window is then
// destroyed as its LoadModalWindow returns; a modeless one when its owner
// releases it.
void UnloadWindow(ToolkitWindow& window);

// Keeps the window thread handling events until `done()` gives true. Call on
// the window thread; `done` is checked at least every few milliseconds.
void ProcessEventsUntil(const std::function<bool()>& done);

// Shows `message` (code page 936) in a message box on the window thread and
// returns when the user has closed it; a caller on another thread waits.
void ShowFatalMessage(const Text& message);

}  // namespace zorvika
