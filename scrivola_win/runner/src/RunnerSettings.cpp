#include "runner/RunnerSettings.h"

namespace runner {

int PermissionBits(const scrivola_win::EncryptRecord& encryption) {
    int bits = 0;
    if (!encryption.noPrint.IsOn()) {
        bits += 4;
    }
    if (!encryption.noChange.IsOn()) {
        bits += 8;
    }
    if (!encryption.noCopy.IsOn()) {
        bits += 16;
    }
    if (!encryption.noForm.IsOn()) {
        bits += 32;
    }
    return bits;
}

const std::string& EffectiveOwnerPassword(const scrivola_win::EncryptRecord& encryption) {
    return encryption.ownerPassword.empty() ? encryption.userPassword : encryption.ownerPassword;
}

ConverterOptions ReadConverterOptions() {
    const scrivola_win::BaseSettingRecord base = scrivola_win::LoadBaseSetting();
    const scrivola_win::PdfInfoRecord info = scrivola_win::LoadPdfInfo();
    ConverterOptions options;
    options.destinationMode = scrivola_win::LoadSaveMode().destinationMode;
    options.pageIndex = base.pageIndex;
    options.landscape = base.landscape;
    options.colorIndex = base.colorIndex;
    options.dpi = base.dpi;
    options.author = info.author;
    options.subject = info.subject;
    options.title = info.title;
    options.keywords = info.keywords;
    return options;
}

}  // namespace runner
