#include "app/progress_delegate_qt.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionProgressBar>

#include "app/toolkit_qt.h"

namespace zorvika {

namespace {

const QString& DownloadingText() {
  static const QString text = ToQString(Text("\xCF\xC2\xD4\xD8\xD6\xD0"));  // 下载中
  return text;
}

}  // namespace

bool ShowsProgressBar(const QModelIndex& index) {
  return index.isValid() && index.data(Qt::DisplayRole).toString() == DownloadingText();
}

int ProgressPercent(qint64 received, qint64 expected) {
  if (expected <= 0) return -1;
  if (received <= 0) return 0;
  if (received >= expected) return 100;
  return static_cast<int>(received * 100 / expected);
}

void ProgressCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  if (!ShowsProgressBar(index)) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  // The cell's background (selection included) first, then the bar inside it.
  QStyleOptionViewItem background = option;
  initStyleOption(&background, index);
  background.text.clear();
  QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

  const QVariant received = index.data(kReceivedBytesRole);
  const QVariant expected = index.data(kExpectedBytesRole);
  const int percent = received.isValid() ? ProgressPercent(received.toLongLong(), expected.toLongLong()) : 0;

  QStyleOptionProgressBar bar;
  if (option.widget != nullptr) bar.initFrom(option.widget);
  bar.rect = option.rect.adjusted(1, 1, -1, -1);
  bar.state = QStyle::State_Enabled | QStyle::State_Horizontal;
  bar.minimum = 0;
  bar.maximum = percent < 0 ? 0 : 100;  // 0..0: busy, no share known
  bar.progress = percent < 0 ? 0 : percent;
  bar.text = index.data(Qt::DisplayRole).toString();
  bar.textVisible = true;
  bar.textAlignment = Qt::AlignCenter;
  style->drawControl(QStyle::CE_ProgressBar, &bar, painter, option.widget);
}

}  // namespace zorvika
