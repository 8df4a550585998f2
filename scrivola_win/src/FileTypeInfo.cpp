#include "FileTypeInfo.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

#include "AppIcons.h"

QString FileTypeName(const QString& path) {
    return QMimeDatabase().mimeTypeForFile(path).comment();
}

QIcon FileTypeIcon(const QString& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    for (const QString& name : {type.iconName(), type.genericIconName()}) {
        const QIcon themed = QIcon::fromTheme(name);
        if (!themed.isNull()) {
            return themed;
        }
    }
    static const QFileIconProvider provider;
    const QIcon provided = provider.icon(QFileInfo(path));
    return provided.isNull() ? AppIcon(AppIconId::Document) : provided;
}
