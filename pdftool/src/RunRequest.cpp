#include "pdftool/RunRequest.h"

#include <exception>
#include <memory>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFWriter.hh>

#include "pdftool/DocumentInfo.h"
#include "pdftool/PageMerge.h"
#include "pdftool/ToolError.h"
#include "platform/AtomicFile.h"

namespace pdftool {
namespace {

std::unique_ptr<QPDF> OpenPdf(const std::string& path) {
    auto pdf = std::make_unique<QPDF>();
    // Warnings are collected and turned into our own error, not printed.
    pdf->setSuppressWarnings(true);
    try {
        pdf->processFile(path.c_str());
    } catch (const std::exception& error) {
        throw ToolError("cannot read " + path + ": " + error.what());
    }
    return pdf;
}

// qpdf repairs damaged files silently apart from its warnings; rewriting a
// repaired file could drop whatever the repair could not recover.
void RefuseIfDamaged(QPDF& pdf, const std::string& path) {
    if (!pdf.anyWarnings()) {
        return;
    }
    const std::vector<QPDFExc> warnings = pdf.getWarnings();
    throw ToolError(path + " is damaged: " + warnings.front().what());
}

}  // namespace

void RunToolRequest(const ToolRequest& request) {
    std::unique_ptr<QPDF> target = OpenPdf(request.inputPath);
    RefuseIfDamaged(*target, request.inputPath);

    std::unique_ptr<QPDF> source;
    if (request.merge) {
        source = OpenPdf(request.merge->sourcePath);
        RefuseIfDamaged(*source, request.merge->sourcePath);
        try {
            MergePages(*target, *source, request.merge->position);
        } catch (const std::exception& error) {
            throw ToolError("cannot copy the pages of " + request.merge->sourcePath + ": " +
                            error.what());
        }
        RefuseIfDamaged(*source, request.merge->sourcePath);
    }

    SetDocumentInformation(*target, request.info);

    std::string error;
    const bool replaced = platform::ReplaceFileAtomically(
        request.outputPath,
        [&](std::FILE* stream) {
            try {
                QPDFWriter writer(*target);
                writer.setOutputFile(request.outputPath.c_str(), stream, false);
                if (source) {
                    // The copied pages may use features of the newer version.
                    writer.setMinimumPDFVersion(source->getPDFVersion(),
                                                source->getExtensionLevel());
                }
                writer.write();
            } catch (const std::exception& error) {
                throw ToolError("cannot write " + request.outputPath + ": " + error.what());
            }
            // Objects are read lazily; damage can first show while writing.
            RefuseIfDamaged(*target, request.inputPath);
            if (source) {
                RefuseIfDamaged(*source, request.merge->sourcePath);
            }
            return true;
        },
        &error);
    if (!replaced) {
        throw ToolError(error);
    }
}

}  // namespace pdftool
