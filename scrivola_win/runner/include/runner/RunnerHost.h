#pragma once
// What the conversion runner needs from the main window.
#include <string>

class QWidget;

namespace runner {

// Column of the document list that holds the Filepath text.
inline constexpr int kFilepathColumn = 1;

class RunnerHost {
  public:
    virtual ~RunnerHost() = default;

    // UI thread only.
    virtual int RowCount() const = 0;
    virtual std::string RowFilename(int row) const = 0;
    virtual std::string RowFilepath(int row) const = 0;  // ends with '/'
    virtual void SortByColumn(int column, bool ascending) = 0;
    virtual void SetProgressPosition(int percent) = 0;  // 0..100
    // "Add File(s)", "Setting", "Make PDF", "Move Up", "Move Down", "Close".
    virtual void SetCommandButtonsEnabled(bool enabled) = 0;
    // Owner of the dialogs Make PDF opens; may be null.
    virtual QWidget* OwnerWidget() = 0;

    // Any thread: the monitor converts through the same runner.
    virtual std::string ConverterPath() const = 0;
};

}  // namespace runner
