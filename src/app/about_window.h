// The About window: the icon, the tool's name, a note on its use and a contact
// line, with a button that closes it.
#pragma once

namespace zorvika {

// Builds the About window afresh and shows it modally: the other windows are
// disabled until it closes (by its button, Esc or the close box), and the call
// returns only then.
void ShowAboutWindow();

}  // namespace zorvika
