#pragma once
// Documents named on the front end's command line (the desktop's "Open with"
// and the .desktop entry's %F): they start in the document list.
#include <string>
#include <vector>

#include "scrivola_win/DocumentCollector.h"

namespace scrivola_win {

// The arguments after the program name that are existing files of a kind the
// list takes, made absolute, in the order given. Everything else (folders,
// missing files, other kinds, options) is passed over, as for a drop.
PendingList CommandLineDocuments(const std::vector<std::string>& arguments);

}  // namespace scrivola_win
