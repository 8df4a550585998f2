#pragma once
// The folivoprint command line:
//   folivoprint --install [--system] | --uninstall [--system] | --status | --help
//   folivoprint JOBFILE      (how the spooler prints a job)
#include <string>
#include <vector>

namespace folivo {

// Runs one command; messages go to standard output and error. The exit
// status: 0 on success.
int RunFolivoprint(const std::vector<std::string>& arguments);

}  // namespace folivo
