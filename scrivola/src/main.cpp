#include "Converter.h"
#include "office/AutomationServers.h"

int main(int argc, char** argv) {
    office::RegisterAutomationServers();
    return scrivola::RunConverter(argc, argv);
}
