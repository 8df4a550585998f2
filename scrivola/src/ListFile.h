#pragma once
// List files (".ver"): one document path per line, written as is. The first
// empty line or the end of the file ends the list; a line longer than 255
// characters continues as the next entry.
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

#include "JobList.h"

namespace scrivola {

inline constexpr std::size_t kMaxListLine = 255;

// Reads a list file as text (a carriage return before a line feed is
// dropped) with one character of push-back.
class ListFileReader {
  public:
    explicit ListFileReader(std::FILE* file) : m_file(file) {}
    int Get();  // EOF at the end
    void PushBack(int character) { m_pushedBack = character; }

  private:
    std::FILE* m_file;
    int m_pushedBack = EOF;
};

// One entry (the whole line, so that a line over kMaxListLine characters
// stays one entry; what passes kMaxListLineKept is dropped), or nothing at
// an empty line or the end of the file.
inline constexpr std::size_t kMaxListLineKept = 4096;
std::optional<std::string> ReadListLine(ListFileReader& reader);

// Appends one job per entry, each with `outputSpec` as its output; an entry
// over kMaxListLine characters is a job that fails with the reason. Returns
// the number of jobs in the list; 0 and nothing appended when the file
// cannot be opened or is a directory.
std::size_t ReadListFile(const std::string& listPath, const std::string& outputSpec, JobList& jobs);

}  // namespace scrivola
