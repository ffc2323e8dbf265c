#include "gui/Icons.h"

#include <QString>

// The icons are compiled into this static library; its resource table has to
// be registered by hand before first use, and only from the global namespace.
static void RegisterIconResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace quillmark::gui {

QIcon ProgramIcon(const char* name) {
    RegisterIconResources();
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace quillmark::gui
