#include "AppIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The icons are compiled into a static library, whose resources must be
// registered by hand before the first use.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(scrivola_win);
}

namespace {

QString ResourcePath(AppIconId id) {
    switch (id) {
        case AppIconId::Application:
            return QStringLiteral(":/scrivola_win/icons/application.svg");
        case AppIconId::AddFiles:
            return QStringLiteral(":/scrivola_win/icons/add_files.svg");
        case AppIconId::Close:
            return QStringLiteral(":/scrivola_win/icons/close.svg");
        case AppIconId::Setting:
            return QStringLiteral(":/scrivola_win/icons/setting.svg");
        case AppIconId::MakePdf:
            return QStringLiteral(":/scrivola_win/icons/make_pdf.svg");
        case AppIconId::MoveUp:
            return QStringLiteral(":/scrivola_win/icons/move_up.svg");
        case AppIconId::MoveDown:
            return QStringLiteral(":/scrivola_win/icons/move_down.svg");
        case AppIconId::Document:
            return QStringLiteral(":/scrivola_win/icons/document.svg");
    }
    return {};
}

}  // namespace

QIcon AppIcon(AppIconId id) {
    // Rendered here rather than through an image plugin, so the icons do not
    // depend on which plugins the Qt installation has.
    static const bool registered = (RegisterIconResources(), true);
    (void)registered;
    QSvgRenderer renderer(ResourcePath(id));
    if (!renderer.isValid()) {
        return {};
    }
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
