#pragma once
// The type name and small icon a document row shows, from the freedesktop
// MIME database and the icon theme.
#include <QIcon>
#include <QString>

// The MIME type's description, e.g. "Word 97-2003 document".
QString FileTypeName(const QString& path);

// The theme's icon for the file's type, or the program's own document icon
// when no theme provides one.
QIcon FileTypeIcon(const QString& path);
