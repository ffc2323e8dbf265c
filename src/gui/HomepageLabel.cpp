#include "gui/HomepageLabel.h"

#include <QMouseEvent>

namespace quillmark::gui {

THomepageLabel::THomepageLabel(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("lbHomepageURL"));
    setCursor(Qt::PointingHandCursor);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, linkPalette.color(QPalette::Link));
    setPalette(linkPalette);
    SetUnderlined(true);
}

void THomepageLabel::SetUnderlined(bool underlined) {
    QFont linkFont = font();
    linkFont.setUnderline(underlined);
    setFont(linkFont);
}

void THomepageLabel::enterEvent(QEnterEvent* event) {
    SetUnderlined(false);
    QLabel::enterEvent(event);
}

void THomepageLabel::leaveEvent(QEvent* event) {
    SetUnderlined(true);
    QLabel::leaveEvent(event);
}

void THomepageLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace quillmark::gui
