#pragma once
// A monitored folder and the folder that receives the PDF files made from
// the documents found there.
#include <string>

namespace monitor {

struct MonitorPair {
    std::string monitoredDirectory;
    std::string outputDirectory;

    bool operator==(const MonitorPair&) const = default;
};

}  // namespace monitor
