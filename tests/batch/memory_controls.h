// The main window's controls kept in memory for the batch tests: the edit boxes,
// the start button and the result list, with a record of every call, of every
// cell write and of every progress report.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "batch/window_controls.h"
#include "core/text.h"

namespace zorvika::batchtest {

class MemoryControls : public WindowControls {
 public:
  struct CellWrite {
    int page;  // how many times the list had been cleared before this write
    int row;
    int column;
    Text text;
  };
  struct Progress {
    int row;
    std::int64_t received;
    std::int64_t expected;
    Text cellText;  // the status cell's text when the progress came
  };

  // Control texts (edit boxes) and enabled states, by the control's name bytes.
  std::map<std::string, Text> texts;
  std::map<std::string, bool> enabled;
  // The result list, four cells per row.
  std::vector<std::vector<Text>> rows;
  // Everything appended to the log box.
  std::string log;
  std::vector<CellWrite> cellWrites;
  std::vector<Progress> progress;
  // Operation names in call order ("AppendText", "SetCellProgress", ...).
  std::vector<std::string> calls;
  int listClears = 0;

  // When set: counts the calls that begin while the flag is already up.
  const std::atomic<bool>* stopFlag = nullptr;
  int callsAfterStop = 0;
  // Runs inside every call, after its effect (a test may request a stop there).
  std::function<void(const std::string& operation)> onCall;

  int InsertRow(const Text& list) override {
    Begin("InsertRow", list);
    rows.push_back(std::vector<Text>(4));
    End("InsertRow");
    return static_cast<int>(rows.size()) - 1;
  }
  void SetCellText(const Text& list, int row, int column, const Text& text) override {
    Begin("SetCellText", list);
    Cell(row, column) = text;
    cellWrites.push_back(CellWrite{listClears, row, column, text});
    End("SetCellText");
  }
  Text GetCellText(const Text& list, int row, int column) override {
    Begin("GetCellText", list);
    Text text = Cell(row, column);
    End("GetCellText");
    return text;
  }
  int RowCount(const Text& list) override {
    Begin("RowCount", list);
    End("RowCount");
    return static_cast<int>(rows.size());
  }
  void DeleteAllRows(const Text& list) override {
    Begin("DeleteAllRows", list);
    rows.clear();
    ++listClears;
    End("DeleteAllRows");
  }
  void AppendText(const Text& editBox, const Text& text) override {
    Begin("AppendText", editBox, kLogBox);
    log += text.bytes();
    End("AppendText");
  }
  void SetEnabled(const Text& control, bool isEnabled) override {
    Begin("SetEnabled", control, kStartButton);
    enabled[control.bytes()] = isEnabled;
    End("SetEnabled");
  }
  Text GetText(const Text& control) override {
    Begin("GetText", control, control);
    Text text = texts[control.bytes()];
    End("GetText");
    return text;
  }
  void SetCellProgress(const Text& list, int row, int column, std::int64_t received, std::int64_t expected) override {
    Begin("SetCellProgress", list);
    EXPECT_EQ(column, 3);
    progress.push_back(Progress{row, received, expected, Cell(row, column)});
    End("SetCellProgress");
  }

  // The texts written to one cell while the list showed page `page` (0 before
  // the first clear, 1 after it, ...).
  std::vector<Text> CellHistory(int page, int row, int column) const {
    std::vector<Text> history;
    for (const CellWrite& write : cellWrites) {
      if (write.page == page && write.row == row && write.column == column) history.push_back(write.text);
    }
    return history;
  }

 private:
  void Begin(const std::string& operation, const Text& control, const Text& expectedControl = kResultList) {
    EXPECT_EQ(control, expectedControl) << operation;
    if (stopFlag != nullptr && stopFlag->load()) ++callsAfterStop;
    calls.push_back(operation);
  }
  void End(const std::string& operation) {
    if (onCall) onCall(operation);
  }
  Text& Cell(int row, int column) {
    static Text outside;
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 || column >= 4) {
      ADD_FAILURE() << "cell " << row << "," << column << " is outside the list";
      outside = Text();
      return outside;
    }
    return rows[row][column];
  }
};

}  // namespace zorvika::batchtest
