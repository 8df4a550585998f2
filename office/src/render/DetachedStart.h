#pragma once
// Starting a program that outlives its starter and holds none of its
// resources: its own session, the working folder "/", standard input, output
// and error on /dev/null and no other inherited descriptor, so a caller that
// reads the starter's output until end of file is not kept waiting.
#include <sys/types.h>

#include <string>
#include <vector>

namespace office::render {

// `environment` entries ("NAME=value") are added to the current ones. The
// process id of the program, or -1 when it could not be forked off; whether
// it then runs is seen by connecting to it.
pid_t StartDetached(const std::vector<std::string>& arguments,
                    const std::vector<std::string>& environment);

}  // namespace office::render
