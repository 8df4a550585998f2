#pragma once
// Copying the pages of one PDF into another.
#include <qpdf/QPDF.hh>

#include "pdftool/ToolRequest.h"

namespace pdftool {

// Copies every page of source, in order, before the first or after the last
// page of target, with their annotations and form fields. source must stay
// open until target has been written: copied streams read their data from it.
void MergePages(QPDF& target, QPDF& source, MergePosition position);

}  // namespace pdftool
