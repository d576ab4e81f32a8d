// The main window as the user meets it: its layout, its keys, and the batch job
// that its download button starts against a loopback site.
#include "app/main_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/progress_delegate_qt.h"
#include "app/toolkit_qt.h"
#include "app_test_support.h"
#include "demo/demo_site.h"

namespace zorvika {
namespace {

using ::testing::ElementsAre;
using testing::Control;
using testing::FilesBelow;
using testing::ScratchFolder;
using testing::WaitUntil;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureToolkit(); }

  // A job context on a loopback site, writing below the scratch folder, with
  // short pauses between repeated requests.
  BatchContext JobContext(const std::string& hostPort) const {
    BatchContext context;
    context.siteHost = Text(hostPort);
    context.programDirectory = scratch_.path();
    context.retryPauses = {std::chrono::milliseconds(10), std::chrono::milliseconds(10)};
    return context;
  }

  static QWidget* Top(MainWindow& window) { return WidgetOf(window.window()); }

  ScratchFolder scratch_;
};

struct ControlPlace {
  const char* name;
  const char* className;
  QRect rect;
  const char* text;  // UTF-8; nullptr where the control shows no text of its own
};

TEST_F(MainWindowTest, StartsWithItsLayoutAndEmptyListAndLog) {
  MainWindow window(JobContext("demo.example:8080"));
  QWidget* top = Top(window);

  EXPECT_EQ(top->windowTitle(), QString::fromUtf8("Zorvika   【Tembrel】"));
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(top->size(), QSize(632, 312));  // the client area
  EXPECT_EQ(top->minimumSize(), QSize(632, 312));
  EXPECT_EQ(top->maximumSize(), QSize(632, 312));
  const Qt::WindowFlags flags = top->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(top->windowIcon().isNull());
  const QRect screen = top->screen()->availableGeometry();
  EXPECT_LE((top->frameGeometry().center() - screen.center()).manhattanLength(), 2);

  const ControlPlace places[] = {
      {"超级列表框1", "QTableWidget", QRect(8, 8, 416, 224), nullptr},
      {"编辑框4", "QPlainTextEdit", QRect(432, 0, 200, 312), ""},
      {"标签1", "QLabel", QRect(8, 238, 240, 24), "视频网址 http://demo.example:8080/video/1"},
      {"标签2", "QLabel", QRect(273, 239, 48, 24), "页码 从"},
      {"编辑框1", "QLineEdit", QRect(328, 240, 32, 20), "1"},
      {"标签3", "QLabel", QRect(368, 238, 24, 24), "到"},
      {"编辑框2", "QLineEdit", QRect(392, 240, 32, 20), "3"},
      {"按钮1", "QPushButton", QRect(8, 272, 80, 32), "关于..."},
      {"按钮3", "QPushButton", QRect(312, 272, 112, 32), "解析并下载"},
  };
  for (const ControlPlace& place : places) {
    SCOPED_TRACE(place.name);
    QWidget* control = Control(top, place.name);
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->metaObject()->className(), place.className);
    EXPECT_EQ(control->geometry(), place.rect);
    EXPECT_TRUE(control->isVisible());
    EXPECT_TRUE(control->isEnabled());
    if (place.text == nullptr) continue;
    QString text;
    if (auto* label = qobject_cast<QLabel*>(control)) text = label->text();
    if (auto* line = qobject_cast<QLineEdit*>(control)) text = line->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(control)) text = box->toPlainText();
    if (auto* button = qobject_cast<QPushButton*>(control)) text = button->text();
    EXPECT_EQ(text, QString::fromUtf8(place.text));
    // Labels stay out of the Tab order; everything else takes part.
    EXPECT_EQ(control->focusPolicy() == Qt::NoFocus, qobject_cast<QLabel*>(control) != nullptr);
  }

  auto* list = Control<QTableWidget>(top, "超级列表框1");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->rowCount(), 0);
  ASSERT_EQ(list->columnCount(), 4);
  const char* headers[] = {"序", "标题", "地址", "下载"};
  const int widths[] = {25, 200, 130, 50};
  for (int column = 0; column < 4; ++column) {
    EXPECT_EQ(list->horizontalHeaderItem(column)->text(), QString::fromUtf8(headers[column]));
    EXPECT_EQ(list->columnWidth(column), widths[column]);
  }
  EXPECT_TRUE(list->horizontalHeader()->isVisible());
  EXPECT_FALSE(list->verticalHeader()->isVisible());
  EXPECT_TRUE(list->horizontalHeader()->defaultAlignment().testFlag(Qt::AlignLeft));
  EXPECT_TRUE(list->showGrid());
  EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_FALSE(list->isSortingEnabled());
  EXPECT_FALSE(list->horizontalHeader()->sectionsClickable());
  EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);

  auto* log = Control<QPlainTextEdit>(top, "编辑框4");
  ASSERT_NE(log, nullptr);
  EXPECT_FALSE(log->isReadOnly());
  EXPECT_EQ(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(log->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

  // The same state as the batch job reads it, in code page 936.
  EXPECT_EQ(window.window().GetText(kFirstPageBox), Text("1"));
  EXPECT_EQ(window.window().GetText(kLastPageBox), Text("3"));
  EXPECT_EQ(window.window().GetText(kLogBox), Text());
  EXPECT_EQ(window.window().RowCount(kResultList), 0);
}

TEST_F(MainWindowTest, EscClosesTheWindowFromAnyControl) {
  for (const char* focused : {"超级列表框1", "编辑框4", "编辑框1", "按钮3"}) {
    SCOPED_TRACE(focused);
    MainWindow window(JobContext("127.0.0.1:9"));
    QWidget* top = Top(window);
    QTest::keyClick(Control(top, focused), Qt::Key_Escape);
    EXPECT_FALSE(top->isVisible());
  }
}

TEST_F(MainWindowTest, EnterNeitherMovesTheFocusNorPressesAButton) {
  MainWindow window(JobContext("127.0.0.1:9"));
  QWidget* top = Top(window);
  QApplication::setActiveWindow(top);
  for (const char* focused : {"编辑框1", "编辑框2", "按钮1", "按钮3"}) {
    SCOPED_TRACE(focused);
    QWidget* control = Control(top, focused);
    control->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), control);
    QTest::keyClick(control, Qt::Key_Return);
    QTest::keyClick(control, Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), control);
    EXPECT_TRUE(top->isVisible());
    EXPECT_FALSE(window.JobRunning());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

// The road of one click on a loopback site: two pages, three videos.
TEST_F(MainWindowTest, DownloadButtonRunsTheJobWhileTheWindowStaysResponsive) {
  // Sent at 2 MB/s, so that the job lasts a little while.
  auto video = [](const char* title, std::size_t size) { return demo::SiteVideo{title, size, 0, 0, 2000000}; };
  demo::DemoSite site({
      {1, {video("春天的第一场雨", 210000), video("猫咪和毛线球", 230000)}},
      {2, {video("海边日落", 220000)}},
  });
  MainWindow window(JobContext(site.HostPort()));
  QWidget* top = Top(window);
  auto* firstPage = Control<QLineEdit>(top, "编辑框1");
  auto* lastPage = Control<QLineEdit>(top, "编辑框2");
  auto* start = Control<QPushButton>(top, "按钮3");
  auto* list = Control<QTableWidget>(top, "超级列表框1");
  auto* log = Control<QPlainTextEdit>(top, "编辑框4");
  firstPage->setText("1");
  lastPage->setText("2");

  QTest::mouseClick(start, Qt::LeftButton);
  // The click handler has returned while the job goes on.
  EXPECT_TRUE(window.JobRunning());

  EXPECT_TRUE(WaitUntil([&] { return !start->isEnabled(); }));
  EXPECT_TRUE(window.JobRunning());
  // While it runs the window answers: the About button still opens its window.
  testing::WhenModalShown([](QWidget* about) { about->close(); });
  QTest::mouseClick(Control(top, "按钮1"), Qt::LeftButton);

  ASSERT_TRUE(WaitUntil([&] { return !window.JobRunning(); }));
  EXPECT_TRUE(start->isEnabled());

  // The list holds the last page's rows, each downloaded.
  ASSERT_EQ(list->rowCount(), 1);
  EXPECT_EQ(list->item(0, 0)->text(), "1");
  EXPECT_EQ(list->item(0, 1)->text(), QString::fromUtf8("海边日落"));
  EXPECT_EQ(list->item(0, 2)->text(), QString::fromStdString(site.VideoAddress(2, 0)));
  EXPECT_EQ(list->item(0, 3)->text(), QString::fromUtf8("下载完"));

  // One line per stage, each after a time stamp.
  QStringList lines = log->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines.takeLast(), "");  // the last line ended with a line break
  const QRegularExpression stamp("^\\d\\d:\\d\\d:\\d\\d ");
  const char* messages[] = {"批量下载开始处理", "第1开始处理", "第1页处理完，下载中", "第1页下载完",
                            "第2开始处理",     "第2页处理完，下载中", "第2页下载完"};
  for (int i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i].toStdString());
    EXPECT_TRUE(stamp.match(lines[i]).hasMatch());
    EXPECT_EQ(lines[i].mid(9), QString::fromUtf8(messages[i]));
  }

  // Every video is on disk, whole, below the program directory.
  EXPECT_THAT(FilesBelow(scratch_.path()),
              ElementsAre("下载视频/1/春天的第一场雨.mp4", "下载视频/1/猫咪和毛线球.mp4", "下载视频/2/海边日落.mp4"));
  std::ifstream file(scratch_.path() / "下载视频" / "2" / "海边日落.mp4", std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, demo::VideoBody(2, 0, 220000));
}

TEST_F(MainWindowTest, ClosingDuringADownloadEndsWithinTwoSecondsAndLeavesNoFile) {
  // One video sent slowly: about eight seconds for the whole body.
  demo::SiteVideo slow{"慢慢下载的视频", 400000};
  slow.bytesPerSecond = 50000;
  demo::DemoSite site({{1, {slow}}});
  MainWindow window(JobContext(site.HostPort()));
  QWidget* top = Top(window);
  Control<QLineEdit>(top, "编辑框2")->setText("1");
  auto* list = Control<QTableWidget>(top, "超级列表框1");

  QTest::mouseClick(Control(top, "按钮3"), Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] {
    return list->rowCount() == 1 && list->item(0, 3)->text() == QString::fromUtf8("下载中") &&
           list->item(0, 3)->data(kReceivedBytesRole).toLongLong() > 0;
  }));

  const auto closing = std::chrono::steady_clock::now();
  top->close();
  const auto closed = std::chrono::steady_clock::now();

  EXPECT_FALSE(top->isVisible());
  EXPECT_FALSE(window.JobRunning());
  EXPECT_LT(closed - closing, std::chrono::seconds(2));
  EXPECT_THAT(FilesBelow(scratch_.path()), ::testing::IsEmpty());
}

}  // namespace
}  // namespace zorvika
