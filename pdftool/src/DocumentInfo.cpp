#include "pdftool/DocumentInfo.h"

namespace pdftool {

QPDFObjectHandle MakeTextString(const std::string& utf8) {
    // qpdf picks PDFDocEncoding when every character fits (and the bytes do
    // not read as a byte order mark), else UTF-16BE.
    return QPDFObjectHandle::newUnicodeString(utf8);
}

void SetDocumentInformation(QPDF& pdf, const DocumentInfoUpdate& info) {
    if (info.empty()) {
        return;
    }
    QPDFObjectHandle trailer = pdf.getTrailer();
    QPDFObjectHandle dictionary = trailer.getKey("/Info");
    if (!dictionary.isDictionary()) {
        // Missing, or something unusable in its place: start a fresh one.
        dictionary = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        trailer.replaceKey("/Info", dictionary);
    }
    const std::pair<const char*, const std::string*> entries[] = {
        {"/Title", &info.title},
        {"/Author", &info.author},
        {"/Subject", &info.subject},
        {"/Keywords", &info.keywords},
    };
    for (const auto& [key, value] : entries) {
        if (!value->empty()) {
            dictionary.replaceKey(key, MakeTextString(*value));
        }
    }
}

}  // namespace pdftool
