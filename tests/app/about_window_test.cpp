// The About window: opened modally from the main window, its content, the three
// ways it closes, and a fresh window on every opening.
#include "app/about_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "app/main_window.h"
#include "app/toolkit_qt.h"
#include "app_test_support.h"
#include "demo/demo_site.h"

namespace zorvika {
namespace {

using testing::Control;
using testing::WaitUntil;
using testing::WhenModalShown;

// What one opening of the About window showed.
struct AboutSeen {
  QString title;
  QSize clientSize;
  bool mainWindowEnabled = true;
  bool hasMinimizeOrMaximize = true;
  QRect picture, note, button;
  bool pictureStretched = false;
  QSize pictureImage;
  QString noteText;
  Qt::Alignment noteAlignment;
  bool noteWraps = false;
  QString buttonText;
  QPointer<QWidget> window;

  bool operator==(const AboutSeen& other) const {
    return title == other.title && clientSize == other.clientSize && picture == other.picture &&
           note == other.note && button == other.button && noteText == other.noteText &&
           buttonText == other.buttonText && pictureImage == other.pictureImage;
  }
};

AboutSeen Look(QWidget* about, QWidget* mainWindow) {
  AboutSeen seen;
  seen.window = about;
  seen.title = about->windowTitle();
  seen.clientSize = about->size();
  seen.mainWindowEnabled = mainWindow->isEnabled();
  seen.hasMinimizeOrMaximize = about->windowFlags().testAnyFlags(Qt::WindowMinimizeButtonHint |
                                                                 Qt::WindowMaximizeButtonHint);
  if (auto* picture = Control<QLabel>(about, "图片框1")) {
    seen.picture = picture->geometry();
    seen.pictureStretched = picture->hasScaledContents();
    seen.pictureImage = picture->pixmap().size();
  }
  if (auto* note = Control<QLabel>(about, "标签1")) {
    seen.note = note->geometry();
    seen.noteText = note->text();
    seen.noteAlignment = note->alignment();
    seen.noteWraps = note->wordWrap();
  }
  if (auto* button = Control<QPushButton>(about, "按钮1")) {
    seen.button = button->geometry();
    seen.buttonText = button->text();
  }
  return seen;
}

class AboutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureToolkit();
    BatchContext context;
    context.siteHost = Text("127.0.0.1:9");
    main_ = std::make_unique<MainWindow>(context);
    top_ = WidgetOf(main_->window());
  }

  // Clicks 按钮1 of the main window; `close` closes the About window once it
  // shows. Returns what the About window showed; the click returns only after
  // it has closed.
  AboutSeen OpenAbout(const std::function<void(QWidget* about)>& close) {
    AboutSeen seen;
    WhenModalShown([&](QWidget* about) {
      seen = Look(about, top_);
      close(about);
    });
    QTest::mouseClick(Control(top_, "按钮1"), Qt::LeftButton);
    return seen;
  }

  static void ClickClose(QWidget* about) { QTest::mouseClick(Control(about, "按钮1"), Qt::LeftButton); }
  static void PressEsc(QWidget* about) { QTest::keyClick(about, Qt::Key_Escape); }
  static void CloseBox(QWidget* about) { about->close(); }

  std::unique_ptr<MainWindow> main_;
  QWidget* top_ = nullptr;
};

TEST_F(AboutWindowTest, OpensModalWithItsLayoutAndNote) {
  const AboutSeen seen = OpenAbout(ClickClose);

  EXPECT_EQ(seen.title, QString::fromUtf8("关于..."));
  EXPECT_FALSE(seen.mainWindowEnabled);
  EXPECT_FALSE(seen.hasMinimizeOrMaximize);
  EXPECT_EQ(seen.clientSize, QSize(320, 154));
  EXPECT_EQ(seen.picture, QRect(16, 16, 64, 64));
  EXPECT_TRUE(seen.pictureStretched);
  EXPECT_EQ(seen.pictureImage, QSize(128, 128));
  EXPECT_EQ(seen.note, QRect(88, 16, 216, 96));
  EXPECT_TRUE(seen.noteWraps);
  EXPECT_EQ(seen.noteAlignment, Qt::AlignLeft | Qt::AlignTop);
  EXPECT_EQ(seen.button, QRect(232, 112, 80, 32));
  EXPECT_EQ(seen.buttonText, QString::fromUtf8("关  闭"));

  const QStringList lines = seen.noteText.split('\n');
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], "Zorvika");
  EXPECT_EQ(lines[1], QString::fromUtf8("【Tembrel】"));
  EXPECT_EQ(lines[2], QString::fromUtf8("页码填上，每页有20个视频。"));
  EXPECT_EQ(lines[3], QString::fromUtf8("视频会下载在程序根目录下的<下载视频>文件里面"));
  EXPECT_EQ(lines[4], QString::fromUtf8("有些大视频下载会慢一些哦！！"));
  EXPECT_EQ(lines[5], "");
  EXPECT_TRUE(lines[6].startsWith("mail:"));
  EXPECT_TRUE(lines[6].contains('@'));

  // Closed by its button: destroyed, and the main window takes input again.
  EXPECT_TRUE(seen.window.isNull());
  EXPECT_TRUE(top_->isEnabled());
  EXPECT_TRUE(top_->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(AboutWindowTest, ClosesByButtonEscAndCloseBoxAndOpensAfreshWithTheSameContent) {
  const AboutSeen first = OpenAbout(ClickClose);
  for (auto close : {PressEsc, CloseBox, ClickClose}) {
    const AboutSeen again = OpenAbout(close);
    EXPECT_TRUE(again == first);
    EXPECT_FALSE(again.mainWindowEnabled);
    EXPECT_TRUE(again.window.isNull());  // destroyed on closing
    EXPECT_TRUE(top_->isEnabled());
  }
}

TEST_F(AboutWindowTest, JobKeepsUpdatingTheMainWindowWhileItIsOpen) {
  demo::SiteVideo video{"海边日落", 200000};
  video.bytesPerSecond = 400000;  // about half a second
  demo::DemoSite site({{1, {video}}});
  testing::ScratchFolder scratch;
  BatchContext context;
  context.siteHost = Text(site.HostPort());
  context.programDirectory = scratch.path();
  MainWindow jobWindow(context);
  QWidget* top = WidgetOf(jobWindow.window());
  Control<QLineEdit>(top, "编辑框2")->setText("1");
  auto* start = Control<QPushButton>(top, "按钮3");
  auto* list = Control<QTableWidget>(top, "超级列表框1");
  auto* log = Control<QPlainTextEdit>(top, "编辑框4");

  bool finishedWhileOpen = false;
  bool disabledWhileOpen = false;
  WhenModalShown([&](QWidget* about) {
    finishedWhileOpen = WaitUntil([&] { return !jobWindow.JobRunning(); });
    disabledWhileOpen = !top->isEnabled();
    ClickClose(about);
  });
  QTest::mouseClick(start, Qt::LeftButton);
  QTest::mouseClick(Control(top, "按钮1"), Qt::LeftButton);

  EXPECT_TRUE(finishedWhileOpen);
  EXPECT_TRUE(disabledWhileOpen);
  ASSERT_EQ(list->rowCount(), 1);
  EXPECT_EQ(list->item(0, 3)->text(), QString::fromUtf8("下载完"));
  EXPECT_TRUE(log->toPlainText().contains(QString::fromUtf8("第1页下载完")));
  // The job enabled its button while the window was disabled; it counts now.
  EXPECT_TRUE(start->isEnabled());
}

}  // namespace
}  // namespace zorvika
