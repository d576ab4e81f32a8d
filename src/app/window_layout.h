// The layouts of the program's two windows, kept as plain data: every control's
// name, kind, position, size, caption and settings. A toolkit backend builds real
// windows from these values (toolkit.h); nothing here depends on a toolkit.
#pragma once

#include <vector>

#include "core/text.h"

namespace zorvika {

enum class ControlKind {
  kReportList,  // rows and columns, a header, grid lines, whole-row single selection
  kEditBox,     // a box the user can type into
  kLabel,       // text drawn on the window's background, not focusable
  kButton,      // text centred on a push button
  kPictureBox,  // the application icon, stretched to fill the box
};

// One column of a report list: its header and width in pixels; always left-aligned.
struct ListColumn {
  Text header;
  int width = 0;
};

// One control. Positions and sizes are client-area pixels.
struct ControlLayout {
  Text name;  // the name the program uses for the control (code page 936), such as "编辑框1"
  ControlKind kind = ControlKind::kLabel;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  Text caption;  // initial text (code page 936); empty for lists and picture boxes

  // Edit boxes: several lines that wrap at the box's width, a vertical scroll bar.
  // Otherwise one line.
  bool multiLine = false;
  // Labels: the text wraps at the label's width and starts at its top. Otherwise
  // it stays on one line, centred vertically.
  bool wrapAtTop = false;
  // Report lists: the columns, left to right.
  std::vector<ListColumn> columns;
};

// One window: its title, client-area size, frame settings and controls. Every
// window is shown centred on the screen with the application icon, has a fixed
// size, a close box and a taskbar button.
struct WindowLayout {
  Text title;  // code page 936
  int clientWidth = 0;
  int clientHeight = 0;
  bool minimizeBox = false;
  bool maximizeBox = false;
  bool escapeCloses = true;       // the Esc key closes the window
  bool enterMovesFocus = false;   // the Enter key moves the focus to the next control
  std::vector<ControlLayout> controls;  // also the Tab order of the focusable ones
};

// Control names of both windows, in code page 936. The main window's list, edit
// boxes and start button are named in batch/window_controls.h.
inline const Text kAboutButton("\xB0\xB4\xC5\xA5" "1");              // 按钮1 (both windows)
inline const Text kAddressLabel("\xB1\xEA\xC7\xA9" "1");             // 标签1 (both windows)
inline const Text kPageLabel("\xB1\xEA\xC7\xA9" "2");                // 标签2
inline const Text kToLabel("\xB1\xEA\xC7\xA9" "3");                  // 标签3
inline const Text kPictureBox("\xCD\xBC\xC6\xAC\xBF\xF2" "1");       // 图片框1
inline const Text kCloseButton("\xB0\xB4\xC5\xA5" "1");              // 按钮1 of the About window
inline const Text kNoteLabel("\xB1\xEA\xC7\xA9" "1");               // 标签1 of the About window

// The main window. Its label 标签1 shows "视频网址 " and the listing address of
// page 1 on `siteHost`. MainWindowLayout("h").title == "Zorvika   【Tembrel】".
WindowLayout MainWindowLayout(const Text& siteHost);

// The About window: the icon, the seven-line note (lines joined by CR LF) and
// the close button "关  闭".
WindowLayout AboutWindowLayout();

// The note of the About window's label, lines joined by CR LF.
Text AboutNote();

}  // namespace zorvika
