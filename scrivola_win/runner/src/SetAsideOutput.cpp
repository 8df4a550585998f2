#include "SetAsideOutput.h"

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace runner {

std::optional<SetAsideOutput> SetAsideOutput::Take(const std::string& outputPath) {
    const std::optional<platform::FileStatus> status = platform::GetFileStatus(outputPath);
    if (!status || status->isDirectory) {
        return std::nullopt;
    }
    const platform::PathParts parts = platform::SplitPath(outputPath);
    const std::string folder = parts.directory.empty() ? std::string(".") : parts.directory;
    const std::optional<std::string> aside =
        platform::CreateUniqueFile(folder, "." + parts.name + parts.extension + ".", ".old");
    if (!aside) {
        return std::nullopt;
    }
    if (!platform::RenameReplace(outputPath, *aside)) {
        platform::DeleteFile(*aside);
        return std::nullopt;
    }
    return SetAsideOutput(outputPath, *aside);
}

SetAsideOutput::SetAsideOutput(SetAsideOutput&& other) noexcept
    : m_outputPath(std::move(other.m_outputPath)), m_asidePath(std::move(other.m_asidePath)) {
    other.m_asidePath.clear();
}

SetAsideOutput& SetAsideOutput::operator=(SetAsideOutput&& other) noexcept {
    if (this != &other) {
        Settle();
        m_outputPath = std::move(other.m_outputPath);
        m_asidePath = std::move(other.m_asidePath);
        other.m_asidePath.clear();
    }
    return *this;
}

SetAsideOutput::~SetAsideOutput() {
    Settle();
}

bool SetAsideOutput::Settle() {
    if (m_asidePath.empty()) {
        return false;
    }
    const std::string aside = std::move(m_asidePath);
    m_asidePath.clear();
    if (platform::PathExists(m_outputPath)) {
        platform::DeleteFile(aside);
        return false;
    }
    return platform::RenameReplace(aside, m_outputPath);
}

}  // namespace runner
