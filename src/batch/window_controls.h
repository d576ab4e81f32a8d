// The window operations the batch job calls on the main window's named controls.
// The window layer implements them on real widgets (carrying each call out on the
// window thread while the caller waits); tests implement them in memory.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace zorvika {

// Control names of the main window, in code page 936.
inline const Text kResultList("\xB3\xAC\xBC\xB6\xC1\xD0\xB1\xED\xBF\xF2" "1");  // 超级列表框1
inline const Text kFirstPageBox("\xB1\xE0\xBC\xAD\xBF\xF2" "1");                 // 编辑框1
inline const Text kLastPageBox("\xB1\xE0\xBC\xAD\xBF\xF2" "2");                  // 编辑框2
inline const Text kLogBox("\xB1\xE0\xBC\xAD\xBF\xF2" "4");                       // 编辑框4
inline const Text kStartButton("\xB0\xB4\xC5\xA5" "3");                          // 按钮3

// Columns of the result list: the entry's number, its decoded title, its video
// address and the download status.
constexpr int kSequenceColumn = 0;
constexpr int kTitleColumn = 1;
constexpr int kAddressColumn = 2;
constexpr int kStatusColumn = 3;

class WindowControls {
 public:
  virtual ~WindowControls() = default;

  // Appends one empty row after the last; returns its 0-based index.
  virtual int InsertRow(const Text& list) = 0;
  // Sets one cell; rows and columns count from 0.
  virtual void SetCellText(const Text& list, int row, int column, const Text& text) = 0;
  // The cell's whole text.
  virtual Text GetCellText(const Text& list, int row, int column) = 0;
  virtual int RowCount(const Text& list) = 0;
  virtual void DeleteAllRows(const Text& list) = 0;
  // Adds the text at the end of the edit box and keeps the end in view.
  virtual void AppendText(const Text& editBox, const Text& text) = 0;
  virtual void SetEnabled(const Text& control, bool enabled) = 0;
  // The control's current text.
  virtual Text GetText(const Text& control) = 0;
  // Progress of the download shown in a cell: bytes received of bytes expected
  // (-1 when unknown). The cell's text is not changed.
  virtual void SetCellProgress(const Text& list, int row, int column, std::int64_t received,
                               std::int64_t expected) = 0;
};

}  // namespace zorvika
