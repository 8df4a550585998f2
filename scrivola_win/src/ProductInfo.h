#pragma once
// Texts that name the program and its maker.
#include <QString>

namespace product {

inline const QString kCaption = QStringLiteral("Folivo Document Converter v2.1");
inline const QString kFileDialogTitle = QStringLiteral("Folivo Document Converter");
inline const QString kMakerLine = QStringLiteral("Copyright (C) 2005 Folivosoft");
inline const QString kWebAddress = QStringLiteral("https://scrivola.example.org/");
inline const QString kSupportAddress = QStringLiteral("support@scrivola.example.org");
inline const QString kBuildLine = QStringLiteral("Build: Aug 15 2005");
inline const QString kSelectDirectoryTitle = QStringLiteral("Please select a directory:");

}  // namespace product
