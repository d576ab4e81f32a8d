// Draws a report list cell whose text reads "下载中" as a progress bar holding
// that text, filled to the share of the download received so far. Every other
// cell is drawn as usual. The progress lives in two item data roles.
#pragma once

#include <QStyledItemDelegate>

namespace zorvika {

// Item data roles of a cell's download progress (qint64): bytes received and
// bytes expected (-1 when unknown). A cell without them shows an empty bar.
inline constexpr int kReceivedBytesRole = Qt::UserRole;
inline constexpr int kExpectedBytesRole = Qt::UserRole + 1;

class ProgressCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// Whether the cell is drawn as a progress bar: its text reads "下载中".
bool ShowsProgressBar(const QModelIndex& index);

// The bar's fill in percent (0 to 100), or -1 when the expected size is unknown
// (the bar then shows that work goes on without a share). ProgressPercent(50, 200) == 25.
int ProgressPercent(qint64 received, qint64 expected);

}  // namespace zorvika
