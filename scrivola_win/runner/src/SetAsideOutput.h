#pragma once
// An existing output moved out of the way before it is overwritten, so a
// conversion that produces nothing gives the old file back instead of
// leaving the user with neither.
#include <optional>
#include <string>

namespace runner {

class SetAsideOutput {
  public:
    // Moves the file at `outputPath` to a hidden name in its folder. Nothing
    // when there is no such file or it cannot be moved.
    static std::optional<SetAsideOutput> Take(const std::string& outputPath);

    SetAsideOutput(SetAsideOutput&& other) noexcept;
    SetAsideOutput& operator=(SetAsideOutput&& other) noexcept;
    SetAsideOutput(const SetAsideOutput&) = delete;
    SetAsideOutput& operator=(const SetAsideOutput&) = delete;
    ~SetAsideOutput();

    // After the conversion: a new output replaces the old file for good;
    // without one the old file returns. True when it returned.
    bool Settle();

    const std::string& AsidePath() const { return m_asidePath; }

  private:
    SetAsideOutput(std::string outputPath, std::string asidePath)
        : m_outputPath(std::move(outputPath)), m_asidePath(std::move(asidePath)) {}
    std::string m_outputPath;
    std::string m_asidePath;  // empty once settled
};

}  // namespace runner
