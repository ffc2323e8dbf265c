#pragma once

#include "base/Translation.h"
#include "gui/QtText.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace quillmark::gui {

// A program text in the interface language, for a dialog's captions.
inline QString Tr(const char* text) {
    return ToQString(Translate(text));
}

// Dialogs built in code give their measures in pixels at 96 dots per inch;
// this scales one to the widget's resolution (96 when it reports none).
inline int ScaledBy(const QWidget* widget, int pixels) {
    const int dpi = widget->logicalDpiX() < 1 ? 96 : widget->logicalDpiX();
    return pixels * dpi / 96;
}

// The height of "Wg" in the widget's font: the line height of the layouts.
inline int TextHeight(const QWidget* widget) {
    return widget->fontMetrics().boundingRect(QStringLiteral("Wg")).height();
}

// The work area of the screen that shows the widget's window.
inline QRect WorkAreaOf(const QWidget& widget) {
    return widget.window()->screen()->availableGeometry();
}

// Gives the dialog its size and minimum size, each kept inside the work
// area (room left for the frame), and centres it on the point.
inline void PlaceDialog(QWidget& dialog, const QRect& work, QSize wanted, QSize minimum,
                        QPoint centre) {
    const QSize room(work.width() - 16, work.height() - 48);
    dialog.setMinimumSize(minimum.boundedTo(room));
    dialog.resize(wanted.boundedTo(room));
    dialog.move(centre - dialog.rect().center());
}

} // namespace quillmark::gui
