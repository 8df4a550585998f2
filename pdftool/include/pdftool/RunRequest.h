#pragma once
// Carrying out a parsed request on the files.
#include "pdftool/ToolRequest.h"

namespace pdftool {

// Reads the input (and the file whose pages are merged), applies the merge
// and the document information and replaces the output atomically. Throws
// ToolError with a one-line reason; the output is then untouched. A file that
// can be read only by repairing it is refused rather than rewritten.
void RunToolRequest(const ToolRequest& request);

}  // namespace pdftool
