#include "app/about_window.h"

#include "app/toolkit.h"
#include "app/window_layout.h"

namespace zorvika {

void ShowAboutWindow() {
  WindowEvents events;
  events.clicked = [](ToolkitWindow& window, const Text& button) {
    if (button == kCloseButton) UnloadWindow(window);
  };
  LoadModalWindow(AboutWindowLayout(), std::move(events));
}

}  // namespace zorvika
