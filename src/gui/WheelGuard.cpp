#include "gui/WheelGuard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace quillmark::gui {

namespace {

class TWheelGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel)
            return false;
        auto* box = static_cast<QWidget*>(watched);
        if (box->hasFocus())
            return false;
        // Handed to the form around the box: it scrolls.
        if (QWidget* parent = box->parentWidget())
            QCoreApplication::sendEvent(parent, event);
        return true;
    }
};

} // namespace

void TakeWheelOnlyWhenFocused(QWidget& box) {
    box.setFocusPolicy(Qt::StrongFocus); // clicked or tabbed, not wheeled, into focus
    box.installEventFilter(new TWheelGuard(&box));
}

} // namespace quillmark::gui
