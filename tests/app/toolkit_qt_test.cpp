// The Qt backend of the toolkit operations: calls from a worker thread, text in
// code page 936, the log box's line ends and scrolling, the progress bar of a
// status cell, and the fatal message box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "app/progress_delegate_qt.h"
#include "app/startup.h"
#include "app/toolkit.h"
#include "app/toolkit_qt.h"
#include "app/window_layout.h"
#include "app_test_support.h"
#include "core/run_time_error.h"
#include "extract/codepage.h"

namespace zorvika {
namespace {

using testing::Control;
using testing::WaitUntil;

class ToolkitQtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureToolkit();
    window_ = LoadWindow(MainWindowLayout(Text("h")), WindowEvents());
    top_ = WidgetOf(*window_);
  }

  // Runs `work` on a new thread while this (the window) thread handles events.
  static void OnWorker(const std::function<void()>& work) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
      work();
      done = true;
    });
    const bool finished = WaitUntil([&] { return done.load(); });
    worker.join();
    ASSERT_TRUE(finished);
  }

  std::unique_ptr<ToolkitWindow> window_;
  QWidget* top_ = nullptr;
};

TEST_F(ToolkitQtTest, WorkerCallsTakeEffectInOrderAndReadBackInCodePage936) {
  const Text kTitle = Utf8ToGbkText("吉他弹唱《晴天》");
  int firstRow = -1;
  int secondRow = -1;
  Text title;
  int rows = 0;
  Text log;
  OnWorker([&] {
    firstRow = window_->InsertRow(kResultList);
    secondRow = window_->InsertRow(kResultList);
    window_->SetCellText(kResultList, secondRow, 1, kTitle);
    title = window_->GetCellText(kResultList, secondRow, 1);
    rows = window_->RowCount(kResultList);
    window_->AppendText(kLogBox, Utf8ToGbkText("09:05:03 批量下载开始处理\r\n"));
    window_->AppendText(kLogBox, Text("second\r\n"));
    log = window_->GetText(kLogBox);
    window_->SetEnabled(kStartButton, false);
  });
  EXPECT_EQ(firstRow, 0);
  EXPECT_EQ(secondRow, 1);
  EXPECT_EQ(title, kTitle);
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(log, Utf8ToGbkText("09:05:03 批量下载开始处理\r\nsecond\r\n"));

  // On the widgets: Unicode, and CR LF as line breaks.
  auto* list = Control<QTableWidget>(top_, "超级列表框1");
  EXPECT_EQ(list->item(1, 1)->text(), QString::fromUtf8("吉他弹唱《晴天》"));
  EXPECT_EQ(list->item(0, 1)->text(), "");
  auto* box = Control<QPlainTextEdit>(top_, "编辑框4");
  EXPECT_EQ(box->toPlainText(), QString::fromUtf8("09:05:03 批量下载开始处理\nsecond\n"));
  EXPECT_EQ(box->blockCount(), 3);
  EXPECT_FALSE(Control(top_, "按钮3")->isEnabled());

  OnWorker([&] {
    window_->DeleteAllRows(kResultList);
    rows = window_->RowCount(kResultList);
  });
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(list->rowCount(), 0);
}

TEST_F(ToolkitQtTest, WorkerWaitsUntilTheWindowThreadHasCarriedOutItsCall) {
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    window_->InsertRow(kResultList);
    returned = true;
  });
  // The window thread handles no event for a while: the call cannot be made.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(returned.load());
  EXPECT_TRUE(WaitUntil([&] { return returned.load(); }));
  worker.join();
  EXPECT_EQ(Control<QTableWidget>(top_, "超级列表框1")->rowCount(), 1);
}

TEST_F(ToolkitQtTest, CallsFromTheWindowThreadRunAtOnce) {
  const int row = window_->InsertRow(kResultList);
  window_->SetCellText(kResultList, row, 3, Utf8ToGbkText("下载完"));
  EXPECT_EQ(Control<QTableWidget>(top_, "超级列表框1")->item(row, 3)->text(), QString::fromUtf8("下载完"));
  EXPECT_EQ(window_->GetText(kFirstPageBox), Text("1"));
}

TEST_F(ToolkitQtTest, UnknownControlsAndCellsOutsideTheListDoNothing) {
  const Text unknown("nothing");
  window_->InsertRow(kResultList);
  EXPECT_EQ(window_->InsertRow(unknown), -1);
  EXPECT_EQ(window_->RowCount(unknown), 0);
  EXPECT_EQ(window_->GetText(unknown), Text());
  struct Cell {
    int row;
    int column;
  };
  for (const Cell cell : {Cell{-1, 0}, Cell{1, 0}, Cell{0, -1}, Cell{0, 4}}) {
    window_->SetCellText(kResultList, cell.row, cell.column, Text("x"));
    window_->SetCellProgress(kResultList, cell.row, cell.column, 1, 2);
    EXPECT_EQ(window_->GetCellText(kResultList, cell.row, cell.column), Text());
  }
  window_->SetCellText(unknown, 0, 0, Text("x"));
  window_->AppendText(unknown, Text("x"));
  window_->SetEnabled(unknown, false);
  auto* list = Control<QTableWidget>(top_, "超级列表框1");
  ASSERT_EQ(list->rowCount(), 1);
  for (int column = 0; column < 4; ++column) EXPECT_EQ(list->item(0, column)->text(), "");
}

TEST_F(ToolkitQtTest, LogWrapsAtTheBoxWidthAndKeepsItsEndInView) {
  auto* box = Control<QPlainTextEdit>(top_, "编辑框4");
  OnWorker([&] {
    for (int line = 0; line < 100; ++line) {
      window_->AppendText(kLogBox, Text("a line that is far too long for two hundred pixels of width\r\n"));
    }
  });
  QApplication::processEvents();
  EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0);
  EXPECT_GT(box->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum());
  // Wrapped: a line takes more than one row of the box.
  const QRectF firstLine = box->document()->documentLayout()->blockBoundingRect(box->document()->firstBlock());
  EXPECT_GT(firstLine.height(), 1.5 * box->fontMetrics().lineSpacing());
}

TEST(ProgressPercentTest, ShareOfTheExpectedBytes) {
  struct Case {
    qint64 received, expected;
    int percent;
  };
  for (const Case c : {Case{0, 200, 0}, Case{50, 200, 25}, Case{199, 200, 99}, Case{200, 200, 100},
                       Case{300, 200, 100}, Case{10, -1, -1}, Case{10, 0, -1}}) {
    EXPECT_EQ(ProgressPercent(c.received, c.expected), c.percent) << c.received << " of " << c.expected;
  }
}

// The status cell of the first row as drawn on screen.
QImage StatusCell(QWidget* top) {
  auto* list = Control<QTableWidget>(top, "超级列表框1");
  list->clearSelection();
  const QRect cell = list->visualRect(list->model()->index(0, 3));
  return list->viewport()->grab(cell).toImage();
}

TEST_F(ToolkitQtTest, StatusCellShowsABarOnlyWhileDownloading) {
  const Text downloading = Utf8ToGbkText("下载中");
  const Text done = Utf8ToGbkText("下载完");
  window_->InsertRow(kResultList);

  window_->SetCellText(kResultList, 0, 3, downloading);
  window_->SetCellProgress(kResultList, 0, 3, 0, 1000);
  const QImage empty = StatusCell(top_);
  window_->SetCellProgress(kResultList, 0, 3, 1000, 1000);
  const QImage full = StatusCell(top_);
  EXPECT_NE(empty, full);
  EXPECT_EQ(window_->GetCellText(kResultList, 0, 3), downloading);  // progress leaves the text alone

  window_->SetCellText(kResultList, 0, 3, done);
  const QImage doneWithProgress = StatusCell(top_);
  window_->DeleteAllRows(kResultList);
  window_->InsertRow(kResultList);
  window_->SetCellText(kResultList, 0, 3, done);
  EXPECT_EQ(StatusCell(top_), doneWithProgress);
}

TEST_F(ToolkitQtTest, FatalMessageFromAWorkerShowsOnTheWindowThreadAndHoldsTheWorker) {
  std::atomic<bool> returned{false};
  QString shown;
  bool returnedWhileShown = true;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    shown = box->text();
    // The worker still waits, however long the box stays open.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    returnedWhileShown = returned.load();
    box->button(QMessageBox::Ok)->click();
  });
  std::thread worker([&] {
    ShowFatalMessage(Text("Zorvika run-time error 1 (array index above the number of elements): test"));
    returned = true;
  });
  EXPECT_TRUE(WaitUntil([&] { return returned.load(); }));
  worker.join();
  EXPECT_THAT(shown.toStdString(), ::testing::HasSubstr("run-time error 1 (array index above"));
  EXPECT_FALSE(returnedWhileShown);
}

TEST(RunTimeErrorMessageBoxDeathTest, ShowsTheMessageThenEndsWithExitCodeMinusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        testing::EnsureToolkit();
        InstallRunTimeErrorMessageBox();
        testing::WhenModalShown([](QWidget* modal) {
          auto* box = qobject_cast<QMessageBox*>(modal);
          if (box == nullptr || !box->text().contains("index above")) return;  // exits 0: the test fails
          std::fprintf(stderr, "message box shown\n");
          box->button(QMessageBox::Ok)->click();
        });
        QTimer::singleShot(0, [] { RunTimeError(1, "reading element 5 of 3"); });
        QApplication::exec();
        std::exit(0);
      },
      ::testing::ExitedWithCode(255), "run-time error 1.*\n.*message box shown");
}

}  // namespace
}  // namespace zorvika
