#pragma once

#include <QLabel>

namespace quillmark::gui {

// The vendor's address at the bottom of the window: drawn underlined, the
// underline gone while the pointer is over it; a click reports `clicked`.
class THomepageLabel final : public QLabel {
    Q_OBJECT
public:
    explicit THomepageLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetUnderlined(bool underlined);
};

} // namespace quillmark::gui
