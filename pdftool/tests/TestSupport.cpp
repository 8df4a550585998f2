#include "TestSupport.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "pdftool/DocumentInfo.h"

namespace pdftool_test {
namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() : m_path(m_home.MakeFolder("work")) {}

ScratchFolder::~ScratchFolder() {
    // A test may have taken the write permission away.
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, ignored);
}

std::vector<std::string> ScratchFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_path)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void MakeTextPdf(const std::string& path, const std::vector<std::string>& pageTexts,
                 const std::map<std::string, std::string>& info) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle font = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"));
    QPDFPageDocumentHelper pages(pdf);
    for (const std::string& text : pageTexts) {
        // Padding makes each page large enough for the write-failure test.
        std::string content = "BT /F1 24 Tf 72 700 Td (" + text + ") Tj ET\n";
        content += "% " + std::string(400, 'x') + "\n";
        QPDFObjectHandle contents = QPDFObjectHandle::newStream(&pdf, content);
        QPDFObjectHandle page = pdf.makeIndirectObject(QPDFObjectHandle::parse(
            "<< /Type /Page /MediaBox [0 0 612 792] /Resources << /Font << >> >> >>"));
        page.getKey("/Resources").getKey("/Font").replaceKey("/F1", font);
        page.replaceKey("/Contents", contents);
        pages.addPage(QPDFPageObjectHelper(page), false);
    }
    if (!info.empty()) {
        QPDFObjectHandle dictionary = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        for (const auto& [key, value] : info) {
            dictionary.replaceKey("/" + key, pdftool::MakeTextString(value));
        }
        pdf.getTrailer().replaceKey("/Info", dictionary);
    }
    QPDFWriter writer(pdf, path.c_str());
    writer.setStaticID(true);
    writer.write();
}

ProgramResult RunProgram(const std::vector<std::string>& argv, const RunOptions& options) {
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        close(outPipe[0]);
        close(errPipe[0]);
        if (options.fileSizeLimit >= 0) {
            signal(SIGXFSZ, SIG_IGN);  // fail the write with EFBIG instead of dying
            rlimit limit{static_cast<rlim_t>(options.fileSizeLimit),
                         static_cast<rlim_t>(options.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (options.asUnprivilegedUser && geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            if (nobody == nullptr || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
                setuid(nobody->pw_uid) != 0) {
                _exit(126);
            }
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    ProgramResult result;
    // Read both pipes together so neither can fill up and stall the child.
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        if (poll(fds, 2, -1) < 0) {
            break;
        }
        for (int k = 0; k < 2; ++k) {
            if (fds[k].fd >= 0 && (fds[k].revents & (POLLIN | POLLHUP))) {
                char buffer[4096];
                const ssize_t n = read(fds[k].fd, buffer, sizeof buffer);
                if (n > 0) {
                    sinks[k]->append(buffer, static_cast<size_t>(n));
                } else {
                    close(fds[k].fd);
                    fds[k].fd = -1;
                    --open;
                }
            }
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

std::string ToolPath() {
    const char* bin = std::getenv("SCRIVOLA_BIN_DIR");
    if (bin == nullptr) {
        throw std::runtime_error("SCRIVOLA_BIN_DIR is not set");
    }
    return std::string(bin) + "/tools.cfg";
}

ProgramResult RunTool(const std::vector<std::string>& args, const RunOptions& options) {
    std::vector<std::string> argv{ToolPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, options);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::map<std::string, std::string> PdfInfo(const std::string& path) {
    const ProgramResult result = RunProgram({"pdfinfo", "-enc", "UTF-8", path});
    if (result.exitCode != 0) {
        throw std::runtime_error("pdfinfo failed on " + path + ": " + result.err);
    }
    std::map<std::string, std::string> fields;
    std::istringstream lines(result.out);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        const size_t start = line.find_first_not_of(' ', colon + 1);
        fields[line.substr(0, colon)] = start == std::string::npos ? "" : line.substr(start);
    }
    return fields;
}

std::vector<std::string> PdfPageTexts(const std::string& path) {
    const ProgramResult result = RunProgram({"pdftotext", "-enc", "UTF-8", path, "-"});
    if (result.exitCode != 0) {
        throw std::runtime_error("pdftotext failed on " + path + ": " + result.err);
    }
    std::vector<std::string> pages;
    std::istringstream text(result.out);
    std::string page;
    while (std::getline(text, page, '\f')) {
        const size_t first = page.find_first_not_of(" \n");
        const size_t last = page.find_last_not_of(" \n");
        pages.push_back(first == std::string::npos ? "" : page.substr(first, last - first + 1));
    }
    // pdftotext ends the last page with a form feed too.
    if (!pages.empty() && pages.back().empty()) {
        pages.pop_back();
    }
    return pages;
}

bool QpdfCheckPasses(const std::string& path) {
    return RunProgram({"qpdf", "--check", path}).exitCode == 0;
}

}  // namespace pdftool_test
