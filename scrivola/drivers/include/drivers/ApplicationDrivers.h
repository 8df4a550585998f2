#pragma once
// The five application drivers. Each creates its application by programmatic
// identifier, runs a fixed call sequence, and always quits the application.
// 1 when the print call was made (the PDF driver: when it reported success),
// else 0; no automation error leaves a driver.
#include <string>

namespace scrivola {

int PrintWithWord(const std::string& input);
int PrintWithExcel(const std::string& input);
int PrintWithPowerPoint(const std::string& input);
int PrintWithVisio(const std::string& input);
int PrintWithAcrobat(const std::string& input);

}  // namespace scrivola
