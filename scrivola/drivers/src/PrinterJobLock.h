#pragma once
// The per-user lock that one conversion holds from configuring the virtual
// printer until the default printer is back, so that a second conversion
// waits instead of redirecting the first one's job.
#include <string>

namespace scrivola {

// "printer.lock" in the user's configuration folder.
std::string PrinterJobLockPath();

class PrinterJobLock {
  public:
    // Blocks until the lock is ours. When the lock cannot be taken, Held()
    // is false and the job must not run: unlocked, it could redirect another
    // conversion's job or have its own redirected.
    explicit PrinterJobLock(const std::string& lockPath = PrinterJobLockPath());
    ~PrinterJobLock();
    PrinterJobLock(const PrinterJobLock&) = delete;
    PrinterJobLock& operator=(const PrinterJobLock&) = delete;

    bool Held() const { return m_fd >= 0; }

  private:
    int m_fd = -1;
};

}  // namespace scrivola
