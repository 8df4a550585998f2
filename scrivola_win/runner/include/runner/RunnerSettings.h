#pragma once
// What the runner makes of the settings records. Every function here loads
// afresh, so a change saved on the settings sheet applies to the next
// conversion.
#include <string>

#include "runner/ConverterCommandLine.h"
#include "settings/SettingsRecords.h"

namespace runner {

// The permission bits handed to the encryption engine: printing 4,
// changing 8, copying 16, forms 32, each granted unless restricted.
int PermissionBits(const scrivola_win::EncryptRecord& encryption);

// The owner password handed to the engine. Without one of its own, the
// user password stands in: an empty owner password would let anybody open
// the file as its owner, so the user password would protect nothing.
const std::string& EffectiveOwnerPassword(const scrivola_win::EncryptRecord& encryption);

// The converter's options from the Base Setting, PDF Info and Save Mode
// sections.
ConverterOptions ReadConverterOptions();

}  // namespace runner
