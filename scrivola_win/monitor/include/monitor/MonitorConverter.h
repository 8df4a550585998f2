#pragma once
// The conversion step the monitor hands each document to: the conversion
// runner in the program, a stand-in in tests.
#include <string>

namespace monitor {

class MonitorConverter {
  public:
    virtual ~MonitorConverter() = default;

    // Called on the monitor thread; returns when the conversion and its
    // after-steps are done. The result is the file the conversion was to
    // write: `outputPath`, or the free name beside it that the destination
    // mode chose.
    virtual std::string RunConversion(const std::string& inputPath,
                                      const std::string& outputPath) = 0;
};

}  // namespace monitor
