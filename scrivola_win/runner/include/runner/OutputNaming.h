#pragma once
// Which outputs Make PDF asks the converter for, per make and save mode,
// and the list files that carry several documents to one conversion.
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsModes.h"

namespace runner {

// One row of the document list as Make PDF found it.
struct DocumentRow {
    std::string filename;  // name with extension
    std::string filepath;  // folder, ending with '/'
    std::string FullPath() const { return filepath + filename; }
};

// The converter takes at most this many characters of a list-file line as
// one entry and would split a longer line into two.
inline constexpr std::size_t kMaxListLineLength = 255;

// Whether a path can stand on one list-file line exactly as it is.
bool FitsOnListLine(std::string_view path);

// "pictobind.ver" for the combined list; "pictobind%03d.ver" numbered by
// the first row of a folder group.
std::string CombinedListFileName();
std::string FolderListFileName(int firstRow);

// Make mode 1: the output of one document.
std::string PerDocumentOutput(std::string_view inputPath, scrivola_win::SaveMode saveMode,
                              std::string_view target);

// Make mode 2: the documents of one folder, in row order.
struct FolderGroup {
    int firstRow = 0;      // index of the group's first row, in the sorted order
    std::string filepath;  // the rows' Filepath text
    std::vector<std::string> documents;
};

// Groups the rows by their exact Filepath text (letter case counts), in
// order of first appearance. Rows of one folder that are not adjacent still
// join the same group: each group gets its own output, so splitting a
// folder would let one part overwrite the other.
std::vector<FolderGroup> GroupRowsByFolder(const std::vector<DocumentRow>& rows);

// The output beside the folder: "/docs/sub/" gives "/docs/sub.pdf". The
// root folder has no parent to stand beside and gives "/.pdf".
std::string FolderOutputBase(std::string_view filepath);

// Make mode 2: the output of one folder group.
std::string PerFolderOutput(std::string_view filepath, scrivola_win::SaveMode saveMode,
                            std::string_view target);

}  // namespace runner
