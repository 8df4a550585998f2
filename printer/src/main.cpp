// folivoprint: the virtual printer "Folivo Converter and Creator".
#include <string>
#include <vector>

#include "PrinterCommand.h"

int main(int argc, char** argv) {
    return folivo::RunFolivoprint(std::vector<std::string>(argv + 1, argv + argc));
}
