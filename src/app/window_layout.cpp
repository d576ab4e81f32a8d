#include "app/window_layout.h"

#include "batch/site_host.h"
#include "batch/window_controls.h"
#include "core/text_ops.h"

namespace zorvika {

namespace {

ControlLayout Control(const Text& name, ControlKind kind, int left, int top, int width, int height,
                      const Text& caption = Text()) {
  ControlLayout control;
  control.name = name;
  control.kind = kind;
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = height;
  control.caption = caption;
  return control;
}

}  // namespace

WindowLayout MainWindowLayout(const Text& siteHost) {
  WindowLayout window;
  window.title = Text("Zorvika   \xA1\xBETembrel\xA1\xBF");  // Zorvika   【Tembrel】
  window.clientWidth = 632;
  window.clientHeight = 312;
  window.minimizeBox = true;

  ControlLayout resultList = Control(kResultList, ControlKind::kReportList, 8, 8, 416, 224);
  resultList.columns = {
      {Text("\xD0\xF2"), 25},          // 序
      {Text("\xB1\xEA\xCC\xE2"), 200},  // 标题
      {Text("\xB5\xD8\xD6\xB7"), 130},  // 地址
      {Text("\xCF\xC2\xD4\xD8"), 50},   // 下载
  };
  ControlLayout logBox = Control(kLogBox, ControlKind::kEditBox, 432, 0, 200, 312);
  logBox.multiLine = true;
  const Text addressCaption = Concat({Text("\xCA\xD3\xC6\xB5\xCD\xF8\xD6\xB7 "),  // 视频网址 + space
                                      ListingAddress(siteHost, Text("1"))});

  window.controls = {
      resultList,
      logBox,
      Control(kAddressLabel, ControlKind::kLabel, 8, 238, 240, 24, addressCaption),
      Control(kPageLabel, ControlKind::kLabel, 273, 239, 48, 24, Text("\xD2\xB3\xC2\xEB \xB4\xD3")),  // 页码 从
      Control(kFirstPageBox, ControlKind::kEditBox, 328, 240, 32, 20, Text("1")),
      Control(kToLabel, ControlKind::kLabel, 368, 238, 24, 24, Text("\xB5\xBD")),  // 到
      Control(kLastPageBox, ControlKind::kEditBox, 392, 240, 32, 20, Text("3")),
      Control(kAboutButton, ControlKind::kButton, 8, 272, 80, 32, Text("\xB9\xD8\xD3\xDA...")),  // 关于...
      Control(kStartButton, ControlKind::kButton, 312, 272, 112, 32,
              Text("\xBD\xE2\xCE\xF6\xB2\xA2\xCF\xC2\xD4\xD8")),  // 解析并下载
  };
  return window;
}

Text AboutNote() {
  const Text lineEnd("\r\n");
  return Concat({
      Text("Zorvika"), lineEnd,
      Text("\xA1\xBETembrel\xA1\xBF"), lineEnd,  // 【Tembrel】
      // 页码填上，每页有20个视频。
      Text("\xD2\xB3\xC2\xEB\xCC\xEE\xC9\xCF\xA3\xAC\xC3\xBF\xD2\xB3\xD3\xD0" "20" "\xB8\xF6\xCA\xD3\xC6\xB5\xA1\xA3"),
      lineEnd,
      // 视频会下载在程序根目录下的<下载视频>文件里面
      Text("\xCA\xD3\xC6\xB5\xBB\xE1\xCF\xC2\xD4\xD8\xD4\xDA\xB3\xCC\xD0\xF2\xB8\xF9\xC4\xBF\xC2\xBC\xCF\xC2\xB5\xC4"
           "<\xCF\xC2\xD4\xD8\xCA\xD3\xC6\xB5>\xCE\xC4\xBC\xFE\xC0\xEF\xC3\xE6"),
      lineEnd,
      // 有些大视频下载会慢一些哦！！
      Text("\xD3\xD0\xD0\xA9\xB4\xF3\xCA\xD3\xC6\xB5\xCF\xC2\xD4\xD8\xBB\xE1\xC2\xFD\xD2\xBB\xD0\xA9\xC5\xB6\xA3\xA1\xA3\xA1"),
      lineEnd,
      lineEnd,
      Text("mail:support@zorvika.example"),
  });
}

WindowLayout AboutWindowLayout() {
  WindowLayout window;
  window.title = Text("\xB9\xD8\xD3\xDA...");  // 关于...
  // An outer frame of 324 x 180 less the same border and title bar as the main
  // window's (636 x 338 outside, 632 x 312 inside).
  window.clientWidth = 320;
  window.clientHeight = 154;
  window.minimizeBox = false;

  ControlLayout note = Control(kNoteLabel, ControlKind::kLabel, 88, 16, 216, 96, AboutNote());
  note.wrapAtTop = true;
  window.controls = {
      Control(kPictureBox, ControlKind::kPictureBox, 16, 16, 64, 64),
      note,
      Control(kCloseButton, ControlKind::kButton, 232, 112, 80, 32, Text("\xB9\xD8  \xB1\xD5")),  // 关  闭
  };
  return window;
}

}  // namespace zorvika
