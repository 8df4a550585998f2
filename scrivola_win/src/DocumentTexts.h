#pragma once
// The texts of one document-list row and the rules that make them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace scrivola_win {

enum DocumentColumn : int {
    kFilenameColumn = 0,
    kFilepathColumn = 1,
    kSizeColumn = 2,
    kDateColumn = 3,
    kTypeColumn = 4,
};
inline constexpr int kDocumentColumnCount = 5;

using DocumentTexts = std::array<std::string, kDocumentColumnCount>;

// "%5d KB" of the size in whole thousands of bytes, so that sizes up to five
// digits sort correctly as text.
std::string SizeText(std::uint64_t bytes);

// Local time as "YYYY-MM-DD hh:mm:ss", which sorts chronologically as text.
std::string DateText(std::int64_t secondsSinceEpoch);

// Filename, Filepath (folder with its closing '/'), Size, Date and Type of
// an absolute path. Without a status, Size and Date stay empty.
DocumentTexts MakeDocumentTexts(std::string_view path, std::string_view typeName,
                                const std::optional<platform::FileStatus>& status);

// Filepath text followed by Filename text.
std::string DocumentFullPath(const DocumentTexts& texts);

// Compares one column's texts without regard to case (Unicode-aware).
// Columns outside 0..4 compare equal.
int CompareDocumentTexts(const DocumentTexts& a, const DocumentTexts& b, int column);

}  // namespace scrivola_win
