#include "Usage.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Console.h"
#include "printing/DefaultPrinter.h"

namespace scrivola {

std::string UsageText() {
    static const char* const kLines[] = {
        "Folivo Document Converter Command Line v2.1",
        kMakerLine,
        nullptr,  // web address
        nullptr,  // e-mail address
        "-------------------------------------------------------",
        "Description:",
        "Convert .DOC;*.RTF;*.PPT;*.XLS;*.VSD files to PDF,JPEG,TIFF,PNG,BMP files",
        "Release Date: Aug 15 2005",
        "Usage: scrivola [options] <-i Document Files> [-o Output]",
        "-i <Document Files> : specify filename for inputted Document",
        "-o <PDF Files>      : specify output PDF filename",
        "-j <Subject>        : subject",
        "-t <Title>          : title",
        "-a <Author>         : author",
        "-k <Keywords>       : keywords",
        "-p <Output Flag>    : a flag for PDF output",
        "   -p 0: overwrite if PDF file exists",
        "   -p 1: insert before first page if PDF file exists",
        "   -p 2: append to last page if PDF file exists",
        "   -p 3: rename filename if PDF file exists",
        "-V                  : view the generated PDF file automatically",
        "-?                  : Help",
        "-------------------------------------------------------",
        "Example:",
        "    scrivola -i C:\\input.doc -o C:\\output.pdf",
        "    scrivola -i C:\\input.xls -o C:\\output.pdf",
        "    scrivola -i C:\\input.vsd -o C:\\output.tif",
        "    scrivola -i C:\\*.doc -o C:\\*.pdf",
        "    scrivola -i C:\\*.xls -o C:\\*.pdf",
        "    scrivola -i C:\\*.xls -o C:\\*.jpg",
        "    scrivola -p 2 -i C:\\input.ppt -o C:\\output.pdf",
        "    scrivola -a \"Author\" -i C:\\input.dwg -o C:\\output.pdf",
    };
    std::string text;
    for (std::size_t i = 0; i < std::size(kLines); ++i) {
        if (i == 2) {
            text += std::string("Web: ") + kMakerWebSite;
        } else if (i == 3) {
            text += std::string("Email: ") + kSupportEmail;
        } else {
            text += kLines[i];
        }
        text += '\n';
    }
    return text;
}

void PrintUsageAndExit() {
    const std::string text = UsageText() + "Press any key to continue...\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    platform::WaitForKeyPress();
    std::exit(1);
}

}  // namespace scrivola
