#pragma once
// Each settings page's fields and the steps that read them from and write
// them to the page's section of the application profile. Every Load reads
// afresh; every Store writes all of the page's keys, in the page's order.
#include <string>

namespace pages {

// A check box shows 0 unchecked, 1 checked and 2 as undecided; any other
// stored value shows unchecked and is written back as 0.
int CheckBoxValue(int stored);

struct BaseSettingFields {
    int checkView = 1;
};
// The stored value, with the field's current value as default.
BaseSettingFields LoadBaseSetting(const BaseSettingFields& current);
void StoreBaseSetting(const BaseSettingFields& fields);

struct PdfInfoFields {
    std::string author;
    std::string subject;
    std::string title;
    std::string keywords;
};
PdfInfoFields LoadPdfInfo();
// Empty texts are written as empty values, not removed.
void StorePdfInfo(const PdfInfoFields& fields);

struct SaveModeFields {
    int destinationMode = 0;
    int makeMode = 0;
    int saveMode = 0;
    std::string filenameOrPath;
};
SaveModeFields LoadSaveMode();
void StoreSaveMode(const SaveModeFields& fields);

struct EncryptFields {
    int level = 40;
    std::string ownerPassword;
    std::string userPassword;
    int noChange = 0;
    int noCopy = 0;
    int noForm = 0;
    int noPrint = 0;
    int encrypt = 0;
};
EncryptFields LoadEncrypt();
void StoreEncrypt(const EncryptFields& fields);

}  // namespace pages
