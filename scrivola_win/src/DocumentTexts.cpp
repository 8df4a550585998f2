#include "DocumentTexts.h"

#include <QString>
#include <cstdio>
#include <ctime>

#include "platform/Paths.h"

namespace scrivola_win {

std::string SizeText(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%5llu KB", static_cast<unsigned long long>(bytes / 1000));
    return text;
}

std::string DateText(std::int64_t secondsSinceEpoch) {
    const std::time_t time = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return {};
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

DocumentTexts MakeDocumentTexts(std::string_view path, std::string_view typeName,
                                const std::optional<platform::FileStatus>& status) {
    const platform::PathParts parts = platform::SplitPath(path);
    DocumentTexts texts;
    texts[kFilenameColumn] = parts.name + parts.extension;
    texts[kFilepathColumn] = platform::WithTrailingSlash(parts.directory);
    if (status) {
        texts[kSizeColumn] = SizeText(status->size);
        texts[kDateColumn] = DateText(status->modifiedSeconds);
    }
    texts[kTypeColumn] = std::string(typeName);
    return texts;
}

std::string DocumentFullPath(const DocumentTexts& texts) {
    return texts[kFilepathColumn] + texts[kFilenameColumn];
}

int CompareDocumentTexts(const DocumentTexts& a, const DocumentTexts& b, int column) {
    if (column < 0 || column >= kDocumentColumnCount) {
        return 0;
    }
    return QString::compare(QString::fromStdString(a[column]), QString::fromStdString(b[column]),
                            Qt::CaseInsensitive);
}

}  // namespace scrivola_win
