#include "gui/QtUserPrompts.h"

#include "base/TextUtils.h"
#include "base/Translation.h"
#include "gui/QtText.h"
#include "gui/SettingsDialog.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace quillmark::gui {

namespace {

// Message texts use "\r\n" between lines; Qt wants "\n".
QString MessageText(const std::string& text) {
    return ToQString(ReplaceAll(text, "\r\n", "\n"));
}

QMessageBox::Icon IconOf(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Information:
        return QMessageBox::Information;
    case TMessageKind::Warning:
        return QMessageBox::Warning;
    case TMessageKind::Error:
        return QMessageBox::Critical;
    case TMessageKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton StandardButtonOf(TPromptButton button) {
    switch (button) {
    case TPromptButton::Yes:
        return QMessageBox::Yes;
    case TPromptButton::No:
        return QMessageBox::No;
    case TPromptButton::Cancel:
        return QMessageBox::Cancel;
    case TPromptButton::OK:
        return QMessageBox::Ok;
    }
    return QMessageBox::Ok;
}

QString ButtonCaption(TPromptButton button) {
    switch (button) {
    case TPromptButton::Yes:
        return ToQString(Translate("Yes"));
    case TPromptButton::No:
        return ToQString(Translate("No"));
    case TPromptButton::Cancel:
        return ToQString(Translate("Cancel"));
    case TPromptButton::OK:
        return ToQString(Translate("OK"));
    }
    return {};
}

void PrepareFileDialog(QFileDialog& dialog, const TFileDialogRequest& request) {
    if (!request.Title.empty()) {
        dialog.setWindowTitle(ToQString(request.Title));
    }
    const QStringList filters = QtNameFilters(request.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (!request.DefaultExt.empty()) {
        dialog.setDefaultSuffix(ToQString(request.DefaultExt));
    }
    if (!request.InitialFolder.empty()) {
        dialog.setDirectory(ToQString(request.InitialFolder));
    }
    if (!request.FileName.empty()) {
        dialog.selectFile(ToQString(request.FileName));
    }
}

std::optional<std::string> RunFileDialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToStdString(dialog.selectedFiles().constFirst());
}

} // namespace

QStringList QtNameFilters(const std::string& filter) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        name.remove(trailingPatterns);
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        filters << QStringLiteral("%1 (%2)").arg(name.trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

TQtUserPrompts::TQtUserPrompts(QWidget* owner) : FOwner(owner) {}

void TQtUserPrompts::ShowMessage(TMessageKind kind, const std::string& caption,
                                 const std::string& text) {
    Ask(kind, caption, text, {TPromptButton::OK});
}

TPromptButton TQtUserPrompts::Ask(TMessageKind kind, const std::string& caption,
                                  const std::string& text,
                                  const std::vector<TPromptButton>& buttons) {
    QMessageBox box(IconOf(kind), ToQString(caption), MessageText(text), QMessageBox::NoButton,
                    FOwner);
    QAbstractButton* escape = nullptr;
    bool offersCancel = false;
    for (const TPromptButton button : buttons) {
        QPushButton* pushButton = box.addButton(StandardButtonOf(button));
        pushButton->setText(ButtonCaption(button));
        if (button == TPromptButton::Cancel) {
            offersCancel = true;
            escape = pushButton;
        } else if (button == TPromptButton::No && !offersCancel) {
            escape = pushButton;
        }
    }
    if (buttons.size() == 1) {
        escape = box.buttons().constFirst();
    }
    if (escape != nullptr) {
        box.setEscapeButton(escape);
        if (kind == TMessageKind::Warning) {
            box.setDefaultButton(qobject_cast<QPushButton*>(escape));
        }
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const TPromptButton button : buttons) {
        if (clicked != nullptr && box.standardButton(clicked) == StandardButtonOf(button)) {
            return button;
        }
    }
    if (buttons.size() == 1) {
        return buttons.front();
    }
    return offersCancel ? TPromptButton::Cancel : TPromptButton::No;
}

std::optional<std::string> TQtUserPrompts::InputText(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& initialText) {
    QInputDialog dialog(FOwner);
    dialog.setWindowTitle(ToQString(caption));
    dialog.setLabelText(ToQString(prompt));
    dialog.setTextValue(ToQString(initialText));
    dialog.setOkButtonText(ToQString(Translate("OK")));
    dialog.setCancelButtonText(ToQString(Translate("Cancel")));
    dialog.resize(std::max(dialog.sizeHint().width(), 380), dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return ToStdString(dialog.textValue());
}

std::optional<std::string> TQtUserPrompts::OpenFile(const TFileDialogRequest& request) {
    QFileDialog dialog(FOwner);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.ChooseFolder ? QFileDialog::Directory
                       : request.MustExist  ? QFileDialog::ExistingFile
                                            : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ShowDirsOnly, request.ChooseFolder);
    PrepareFileDialog(dialog, request);
    return RunFileDialog(dialog);
}

std::optional<std::string> TQtUserPrompts::SaveFile(const TFileDialogRequest& request) {
    QFileDialog dialog(FOwner);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.ConfirmOverwrite);
    PrepareFileDialog(dialog, request);
    return RunFileDialog(dialog);
}

bool TQtUserPrompts::ExecuteProjectSettings(TProjectSettings& settings) {
    return TfrmProjectSettings::Execute(FOwner, settings);
}

} // namespace quillmark::gui
