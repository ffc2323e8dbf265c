#include "gui/QtShell.h"

#include "gui/QtText.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QUrl>

namespace quillmark::gui {

bool TQtShell::OpenPath(const std::string& pathOrUrl) {
    const QString text = ToQString(pathOrUrl);
    // "https://…", "mailto:…" and "file:…" are addresses; anything else is a
    // path on disk (which may itself contain ":" further on).
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    const QUrl url = scheme.match(text).hasMatch() ? QUrl(text) : QUrl::fromLocalFile(text);
    return url.isValid() && QDesktopServices::openUrl(url);
}

} // namespace quillmark::gui
