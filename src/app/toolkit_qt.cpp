// The Qt 6 Widgets backend of the window toolkit (toolkit.h).
//
// Each window is a QDialog built from its WindowLayout; each control is a child
// widget named after the control. Calls from a worker thread reach the widgets
// through QMetaObject::invokeMethod with Qt::BlockingQueuedConnection: the call
// runs on the window thread between two events and the worker waits for it.
// The window thread itself never waits for a worker.

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "app/progress_delegate_qt.h"
#include "app/toolkit.h"
#include "app/toolkit_qt.h"
#include "extract/codepage.h"

// Registers the resources compiled into this static library (the icon). Qt's
// macro must be used outside any namespace.
static void RegisterAppResources() { Q_INIT_RESOURCE(app); }

namespace zorvika {

QString ToQString(const Text& text) {
  const std::u16string utf16 = GbkToUtf16(text);
  return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

Text ToGbk(const QString& text) {
  return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                        static_cast<std::size_t>(text.size())));
}

QIcon ApplicationIcon() {
  static const bool registered = (RegisterAppResources(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/zorvika/icon.png"));
}

namespace {

// Line ends: the program's text uses CR LF; Qt's text widgets use LF.
QString ToWidgetLines(const Text& text) { return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }
Text FromWidgetLines(QString text) { return ToGbk(text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"))); }

// The top-level widget of every window: fixed size, Esc and Enter as the layout
// says, and a closing event before the window goes.
class WindowWidget : public QDialog {
 public:
  WindowWidget(const WindowLayout& layout, std::function<void()> closing)
      : escapeCloses_(layout.escapeCloses), enterMovesFocus_(layout.enterMovesFocus), closing_(std::move(closing)) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (layout.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    if (layout.maximizeBox) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(ToQString(layout.title));
    setWindowIcon(ApplicationIcon());
    setFixedSize(layout.clientWidth, layout.clientHeight);
    setSizeGripEnabled(false);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Escape:
        if (escapeCloses_) close();
        return;  // never QDialog's reject(), which would skip the closing event
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (enterMovesFocus_) focusNextChild();
        return;  // never a default button
      default:
        QDialog::keyPressEvent(event);
    }
  }

  void closeEvent(QCloseEvent* event) override {
    if (inClosing_) {  // a second request while the owner still winds up
      event->ignore();
      return;
    }
    inClosing_ = true;
    if (closing_) closing_();
    inClosing_ = false;
    QDialog::closeEvent(event);  // hides the window and ends a modal exec()
  }

 private:
  bool escapeCloses_;
  bool enterMovesFocus_;
  std::function<void()> closing_;
  bool inClosing_ = false;
};

QWidget* BuildReportList(const ControlLayout& control, QWidget* parent) {
  auto* list = new QTableWidget(0, static_cast<int>(control.columns.size()), parent);
  QStringList headers;
  for (const ListColumn& column : control.columns) headers << ToQString(column.header);
  list->setHorizontalHeaderLabels(headers);
  QHeaderView* header = list->horizontalHeader();
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setHighlightSections(false);
  header->setSectionsClickable(false);  // no sorting
  header->setStretchLastSection(false);
  header->setMinimumSectionSize(8);  // the style's own minimum is wider than "序"'s 25 pixels
  for (int column = 0; column < static_cast<int>(control.columns.size()); ++column) {
    list->setColumnWidth(column, control.columns[static_cast<std::size_t>(column)].width);
  }
  list->verticalHeader()->hide();
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
  list->setShowGrid(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSortingEnabled(false);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setWordWrap(false);
  list->setTabKeyNavigation(false);
  list->setItemDelegate(new ProgressCellDelegate(list));
  return list;
}

QWidget* BuildEditBox(const ControlLayout& control, QWidget* parent) {
  if (!control.multiLine) return new QLineEdit(ToQString(control.caption), parent);
  auto* box = new QPlainTextEdit(ToWidgetLines(control.caption), parent);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setTabChangesFocus(true);
  return box;
}

QWidget* BuildLabel(const ControlLayout& control, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);  // "<下载视频>" is text, not markup
  label->setText(ToWidgetLines(control.caption));
  label->setWordWrap(control.wrapAtTop);
  label->setAlignment(control.wrapAtTop ? (Qt::AlignLeft | Qt::AlignTop) : (Qt::AlignLeft | Qt::AlignVCenter));
  return label;
}

QWidget* BuildControl(const ControlLayout& control, QWidget* parent) {
  switch (control.kind) {
    case ControlKind::kReportList:
      return BuildReportList(control, parent);
    case ControlKind::kEditBox:
      return BuildEditBox(control, parent);
    case ControlKind::kLabel:
      return BuildLabel(control, parent);
    case ControlKind::kButton: {
      auto* button = new QPushButton(ToQString(control.caption), parent);
      button->setAutoDefault(false);
      return button;
    }
    case ControlKind::kPictureBox: {
      auto* picture = new QLabel(parent);
      picture->setPixmap(ApplicationIcon().pixmap(128, 128));
      picture->setScaledContents(true);
      return picture;
    }
  }
  return new QWidget(parent);
}

void ShowCentred(QWidget* window) {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
  }
}

class QtWindow : public ToolkitWindow {
 public:
  QtWindow(const WindowLayout& layout, WindowEvents events) : events_(std::move(events)) {
    widget_ = new WindowWidget(layout, [this] {
      if (events_.closing) events_.closing(*this);
    });
    for (const ControlLayout& control : layout.controls) {
      QWidget* child = BuildControl(control, widget_);
      child->setObjectName(ToQString(control.name));
      child->setGeometry(control.left, control.top, control.width, control.height);
      if (auto* button = qobject_cast<QPushButton*>(child)) {
        const Text name = control.name;
        QObject::connect(button, &QPushButton::clicked, widget_, [this, name] {
          if (events_.clicked) events_.clicked(*this, name);
        });
      }
      controls_[control.name.bytes()] = child;
    }
  }

  ~QtWindow() override { delete widget_; }

  WindowWidget* widget() const { return widget_; }

  int InsertRow(const Text& list) override {
    return OnWindowThread([&]() -> int {
      QTableWidget* table = Find<QTableWidget>(list);
      if (table == nullptr) return -1;
      const int row = table->rowCount();
      table->insertRow(row);
      for (int column = 0; column < table->columnCount(); ++column) {
        auto* item = new QTableWidgetItem();
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table->setItem(row, column, item);
      }
      return row;
    });
  }

  void SetCellText(const Text& list, int row, int column, const Text& text) override {
    OnWindowThread([&] {
      if (QTableWidgetItem* item = Cell(list, row, column)) item->setText(ToQString(text));
    });
  }

  Text GetCellText(const Text& list, int row, int column) override {
    return OnWindowThread([&]() -> Text {
      QTableWidgetItem* item = Cell(list, row, column);
      return item == nullptr ? Text() : ToGbk(item->text());
    });
  }

  int RowCount(const Text& list) override {
    return OnWindowThread([&]() -> int {
      QTableWidget* table = Find<QTableWidget>(list);
      return table == nullptr ? 0 : table->rowCount();
    });
  }

  void DeleteAllRows(const Text& list) override {
    OnWindowThread([&] {
      if (QTableWidget* table = Find<QTableWidget>(list)) table->setRowCount(0);
    });
  }

  void AppendText(const Text& editBox, const Text& text) override {
    OnWindowThread([&] {
      if (auto* box = Find<QPlainTextEdit>(editBox)) {
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(ToWidgetLines(text));
        box->ensureCursorVisible();
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
      } else if (auto* line = Find<QLineEdit>(editBox)) {
        line->end(false);
        line->insert(ToQString(text));
      }
    });
  }

  void SetEnabled(const Text& control, bool enabled) override {
    OnWindowThread([&] {
      if (QWidget* widget = Find<QWidget>(control)) widget->setEnabled(enabled);
    });
  }

  Text GetText(const Text& control) override {
    return OnWindowThread([&]() -> Text {
      if (auto* box = Find<QPlainTextEdit>(control)) return FromWidgetLines(box->toPlainText());
      if (auto* line = Find<QLineEdit>(control)) return ToGbk(line->text());
      if (auto* label = Find<QLabel>(control)) return FromWidgetLines(label->text());
      if (auto* button = Find<QPushButton>(control)) return ToGbk(button->text());
      return Text();
    });
  }

  void SetCellProgress(const Text& list, int row, int column, std::int64_t received,
                       std::int64_t expected) override {
    OnWindowThread([&] {
      if (QTableWidgetItem* item = Cell(list, row, column)) {
        item->setData(kReceivedBytesRole, QVariant::fromValue<qint64>(received));
        item->setData(kExpectedBytesRole, QVariant::fromValue<qint64>(expected));
      }
    });
  }

 private:
  // Runs `work` on the window thread and gives its result; a caller on another
  // thread waits meanwhile.
  template <typename Work>
  auto OnWindowThread(Work work) -> decltype(work()) {
    using Result = decltype(work());
    if (QThread::currentThread() == widget_->thread()) return work();
    if constexpr (std::is_void_v<Result>) {
      QMetaObject::invokeMethod(widget_, work, Qt::BlockingQueuedConnection);
    } else {
      Result result{};
      QMetaObject::invokeMethod(widget_, [&] { result = work(); }, Qt::BlockingQueuedConnection);
      return result;
    }
  }

  template <typename Widget>
  Widget* Find(const Text& name) const {
    const auto found = controls_.find(name.bytes());
    return found == controls_.end() ? nullptr : qobject_cast<Widget*>(found->second);
  }

  QTableWidgetItem* Cell(const Text& list, int row, int column) const {
    QTableWidget* table = Find<QTableWidget>(list);
    if (table == nullptr || row < 0 || row >= table->rowCount() || column < 0 || column >= table->columnCount()) {
      return nullptr;
    }
    return table->item(row, column);
  }

  WindowEvents events_;
  WindowWidget* widget_ = nullptr;  // owned; deleted with this window
  std::map<std::string, QWidget*> controls_;  // by name in code page 936; children of widget_
};

}  // namespace

struct ToolkitSession::State {
  State(int& argc, char** argv) : application(argc, argv) {}
  QApplication application;
};

ToolkitSession::ToolkitSession(int& argc, char** argv) : state_(std::make_unique<State>(argc, argv)) {
  QApplication::setApplicationName(QStringLiteral("Zorvika"));
  QApplication::setWindowIcon(ApplicationIcon());
}

ToolkitSession::~ToolkitSession() = default;

int ToolkitSession::RunEventLoop() { return QApplication::exec(); }

std::unique_ptr<ToolkitWindow> LoadWindow(const WindowLayout& layout, WindowEvents events) {
  auto window = std::make_unique<QtWindow>(layout, std::move(events));
  ShowCentred(window->widget());
  window->widget()->show();
  return window;
}

void LoadModalWindow(const WindowLayout& layout, WindowEvents events) {
  QtWindow window(layout, std::move(events));
  // Every other window is disabled outright (not only blocked by modality),
  // as the program expects, and enabled again once this one has closed.
  std::vector<QPointer<QWidget>> disabled;
  for (QWidget* other : QApplication::topLevelWidgets()) {
    if (other != window.widget() && other->isVisible() && other->isEnabled()) {
      other->setEnabled(false);
      disabled.emplace_back(other);
    }
  }
  ShowCentred(window.widget());
  window.widget()->setWindowModality(Qt::ApplicationModal);
  window.widget()->exec();
  for (const QPointer<QWidget>& other : disabled) {
    if (other) other->setEnabled(true);
  }
}

void UnloadWindow(ToolkitWindow& window) { static_cast<QtWindow&>(window).widget()->close(); }

QWidget* WidgetOf(ToolkitWindow& window) { return static_cast<QtWindow&>(window).widget(); }

void ProcessEventsUntil(const std::function<bool()>& done) {
  while (!done()) {
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
}

void ShowFatalMessage(const Text& message) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return;  // no toolkit: the message goes to standard error only
  const auto show = [&] {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Zorvika"), ToQString(message), QMessageBox::Ok);
    box.setWindowIcon(ApplicationIcon());
    box.exec();
  };
  if (QThread::currentThread() == application->thread()) {
    show();
  } else {
    QMetaObject::invokeMethod(application, show, Qt::BlockingQueuedConnection);
  }
}

}  // namespace zorvika
