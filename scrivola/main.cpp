#include "office/AutomationServers.h"
#include "scrivola/Converter.h"

int main(int argc, char** argv) {
    office::RegisterAutomationServers();
    return scrivola::RunConverter(argc, argv);
}
