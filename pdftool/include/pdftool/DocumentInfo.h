#pragma once
// Writing the document information dictionary (/Info in the trailer).
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include "pdftool/ToolRequest.h"

namespace pdftool {

// A PDF text string for UTF-8 text: PDFDocEncoding when every character fits,
// else UTF-16BE with its byte order mark.
QPDFObjectHandle MakeTextString(const std::string& utf8);

// Sets /Title, /Author, /Subject and /Keywords from the non-empty values and
// keeps every other entry. Creates the dictionary when the file has none.
void SetDocumentInformation(QPDF& pdf, const DocumentInfoUpdate& info);

}  // namespace pdftool
