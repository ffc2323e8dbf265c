#pragma once

#include "app/WindowPorts.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quillmark::gui {

// The topic properties panel beside the editor: keywords, index entries,
// help IDs (with a button that numbers them), the three "exclude from" flags
// with an Apply button, and the style profile.
class TTopicPropertiesPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TTopicPropertiesPanel(QWidget* parent = nullptr);

    void ShowFields(const TTopicPropertyFields& fields);
    TTopicPropertyFields ReadFields() const;
    // Fills the style list without reporting it as the user's choice.
    void SetStyleProfiles(const std::vector<std::string>& names, int selectedIndex);

    QLabel* lblKeywords = nullptr;
    QPlainTextEdit* memKeywords = nullptr;
    QLabel* lblIndex = nullptr;
    QPlainTextEdit* memIndex = nullptr;
    QLabel* lblHelpIds = nullptr;
    QPlainTextEdit* memHelpIds = nullptr;
    QPushButton* btnAssignHelpNumbers = nullptr;
    QCheckBox* chkExcludeWeb = nullptr;
    QCheckBox* chkExcludeChm = nullptr;
    QCheckBox* chkExcludePdf = nullptr;
    QPushButton* btnApplyProps = nullptr;
    QLabel* lblStyle = nullptr;
    QComboBox* cbStyle = nullptr;

signals:
    void applyClicked();
    void assignNumbersClicked();
    // The user chose a style profile in the list.
    void styleChosen(const QString& profile);
};

} // namespace quillmark::gui
