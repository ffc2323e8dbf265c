#pragma once

#include "editor/FindInTopic.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace quillmark::gui {

// The find bar over the editor (Edit > Find, Ctrl+F): the text, next and
// previous, match case, whole word and the count of matches in the topic.
// Enter finds the next match, Shift+Enter the previous one, Esc closes the
// bar and leaves the caret on the match shown.
class TFindBar final : public QWidget {
    Q_OBJECT
public:
    TFindBar(TFindInTopic& finder, QWidget* parent);
    ~TFindBar() override;

    // Shows the bar with its text selected and finds from the caret.
    void Open();
    void Close();

    QLineEdit& TextBox() { return *edFind; }
    QString CountText() const;

signals:
    // The bar closed; the editor should take the keyboard.
    void closed();

private:
    TTextQuery Query() const;
    void FindNow(TFindDirection direction);

    TFindInTopic& FFinder;
    QLineEdit* edFind = nullptr;
    QToolButton* btnPrevious = nullptr;
    QToolButton* btnNext = nullptr;
    QCheckBox* chkMatchCase = nullptr;
    QCheckBox* chkWholeWord = nullptr;
    QLabel* lbCount = nullptr;
    QToolButton* btnClose = nullptr;
};

} // namespace quillmark::gui
