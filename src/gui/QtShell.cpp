#include "gui/QtShell.h"

#include "gui/QtText.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
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

bool TQtShell::HasViewerFor(const std::string& path) const {
    const QString mimeType = QMimeDatabase().mimeTypeForFile(ToQString(path)).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished();
        return true; // cannot tell: let the opener try
    }
    if (query.exitStatus() != QProcess::NormalExit)
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace quillmark::gui
