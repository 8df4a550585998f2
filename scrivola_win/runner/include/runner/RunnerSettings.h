#pragma once
// The runner's settings, read afresh from the application profile at every
// use so that a change saved on the settings sheet applies to the next
// conversion.
#include <string>

#include "runner/ConverterCommandLine.h"

namespace runner {

enum MakePdfMode { kCombineAll = 0, kOnePerDocument = 1, kOnePerFolder = 2 };
enum SaveMode { kAskUser = 0, kBesideDocuments = 1, kFixedTarget = 2 };
enum DestinationMode { kOverwrite = 0, kInsertBefore = 1, kAppendAfter = 2, kFreeName = 3 };

struct MakePdfSettings {
    int makeMode = kCombineAll;
    int saveMode = kAskUser;
    std::string filenameOrPath;
};

struct EncryptionSettings {
    bool encrypt = false;
    std::string ownerPassword;
    std::string userPassword;
    bool noPrint = false;
    bool noChange = false;
    bool noCopy = false;
    bool noForm = false;
    int level = 40;  // key bits; the engine takes 128 as 128-bit, anything else as 40-bit
};

// The permission bits handed to the encryption engine: printing 4,
// changing 8, copying 16, forms 32, each granted unless restricted.
int PermissionBits(const EncryptionSettings& encryption);

// The owner password handed to the engine. Without one of its own, the
// user password stands in: an empty owner password would let anybody open
// the file as its owner, so the user password would protect nothing.
const std::string& EffectiveOwnerPassword(const EncryptionSettings& encryption);

MakePdfSettings ReadMakePdfSettings();
ConverterOptions ReadConverterOptions();
bool ReadViewAfterConversion();
// Only the flag; the rest of the section is read when it is on.
EncryptionSettings ReadEncryptionSettings();

}  // namespace runner
