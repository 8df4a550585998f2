#pragma once
// Gathering document paths from dropped files and folders. Only the
// documents the front end lists (formats/DocumentFormats.h) are collected;
// everything else is skipped silently. Safe to use from any thread.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace scrivola_win {

// An ordered list of full paths, filled before the rows are added.
using PendingList = std::vector<std::string>;

// True for names ending in a listed document extension (.doc, .rtf, .xls,
// .ppt, .vsd, .docx, .xlsx, .pptx, .odt, ...), in any letter case.
bool IsConvertibleDocument(std::string_view path);

// Appends the path when it is a convertible document no longer than the
// system's path limit; skips empty and other paths.
void CollectDocument(std::string_view path, PendingList& pending);

// Collects the folder's documents in the order the file system lists them.
// Without `descend` the list is emptied first and subfolders are ignored;
// with it, each subfolder is searched where it is met (depth first). Every
// real folder is entered once, so links that loop back end there. Returns the
// number of paths in the list afterwards.
std::size_t CollectDirectory(std::string_view folder, PendingList& pending, bool descend);

}  // namespace scrivola_win
