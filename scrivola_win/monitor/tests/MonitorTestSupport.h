#pragma once
// Pieces shared by the monitor's tests: a private home, a converter
// stand-in that writes its outputs in-process, and file helpers.
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "monitor/MonitorConverter.h"
#include "platform/FileSystem.h"
#include "settings/SettingsKeys.h"
#include "testing/PrivateHome.h"

namespace fs = std::filesystem;

inline void WriteText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

inline std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Names of the entries of a folder, sorted.
inline std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

inline void SetEraseOriginals(bool on) {
    scrivola_win::WriteSetting(scrivola_win::settings::kEraseOriginalFile, on);
}

// Converts by writing "PDF of <input>" to the output, except for inputs
// whose name contains "fail", which get nothing. Thread-safe.
class FakeConverter : public monitor::MonitorConverter {
  public:
    std::string RunConversion(const std::string& input, const std::string& output) override {
        {
            const std::lock_guard lock(m_mutex);
            m_calls.push_back({input, output});
        }
        if (beforeConverting) {
            beforeConverting(input);
        }
        if (fs::path(input).filename().string().find("fail") == std::string::npos) {
            WriteText(output, "PDF of " + input);
        }
        return output;
    }

    struct Call {
        std::string input;
        std::string output;
    };
    std::vector<Call> Calls() const {
        const std::lock_guard lock(m_mutex);
        return m_calls;
    }

    // Runs on the converting thread before the output is written.
    std::function<void(const std::string& input)> beforeConverting;

  private:
    mutable std::mutex m_mutex;
    std::vector<Call> m_calls;
};
