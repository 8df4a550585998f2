#include "pdftool/PageMerge.h"

#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

namespace pdftool {

void MergePages(QPDF& target, QPDF& source, MergePosition position) {
    QPDFPageDocumentHelper targetPages(target);
    QPDFPageDocumentHelper sourcePages(source);
    // Attributes a page inherits from its page tree would be lost in the copy.
    sourcePages.pushInheritedAttributesToPage();

    QPDFAcroFormDocumentHelper targetForms(target);
    QPDFAcroFormDocumentHelper sourceForms(source);
    const bool sourceHasForms = sourceForms.hasAcroForm();

    const std::vector<QPDFPageObjectHelper> existing = targetPages.getAllPages();
    const bool insertFirst = position == MergePosition::BeforeFirstPage && !existing.empty();

    for (QPDFPageObjectHelper& page : sourcePages.getAllPages()) {
        QPDFObjectHandle original = page.getObjectHandle();
        QPDFObjectHandle copy = target.copyForeignObject(original);
        if (insertFirst) {
            // Each page goes in front of the old first page, so the source order holds.
            targetPages.addPageAt(QPDFPageObjectHelper(copy), true, existing.front());
        } else {
            targetPages.addPage(QPDFPageObjectHelper(copy), false);
        }
        if (sourceHasForms) {
            targetForms.fixCopiedAnnotations(copy, original, sourceForms);
        }
    }
}

}  // namespace pdftool
