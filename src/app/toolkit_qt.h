// What the Qt backend of the toolkit offers beyond toolkit.h: text conversion
// between code page 936 and QString, the application icon, and the Qt widget of
// a window (for the tests that drive the real windows).
#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

#include "app/toolkit.h"
#include "core/text.h"

namespace zorvika {

// Code page 936 to QString; CR LF stays CR LF. ToQString(Text("\xCF\xC2")) == u"下".
QString ToQString(const Text& text);

// QString to code page 936; what the code page cannot show becomes "?".
Text ToGbk(const QString& text);

// The application icon (128 x 128, 32 bits per pixel), from the program's resources.
QIcon ApplicationIcon();

// The top-level widget of a window made by this backend. Each control is a child
// widget whose objectName is the control's name (converted from code page 936).
QWidget* WidgetOf(ToolkitWindow& window);

}  // namespace zorvika
