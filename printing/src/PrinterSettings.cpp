#include "printing/PrinterSettings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "platform/Paths.h"
#include "platform/Registry.h"

namespace scrivola {
namespace {

using IntMember = std::int32_t PrinterSettings::*;
using TextMember = std::string PrinterSettings::*;
using PageSizeMember = float PrinterSettings::*;
using Member = std::variant<IntMember, TextMember, PageSizeMember>;

struct Field {
    const char* name;
    Member member;
    int readPosition;   // the printer's own reading and writing orders differ
    int writePosition;  // in two places; both are kept as the printer has them
};

constexpr int kFieldCount = 39;

// In declared order, with the positions of the reading and writing sequences.
const std::array<Field, kFieldCount> kFields = {{
    {"disable", &PrinterSettings::disable, 1, 1},
    {"Unit", &PrinterSettings::Unit, 18, 18},
    {"PageSelect", &PrinterSettings::PageSelect, 19, 19},
    {"PageSize", &PrinterSettings::PageSize, 20, 20},
    {"PageW", &PrinterSettings::PageW, 21, 21},
    {"PageH", &PrinterSettings::PageH, 22, 22},
    {"Margin", &PrinterSettings::Margin, 23, 23},
    {"Orientation", &PrinterSettings::Orientation, 24, 24},
    {"Scale", &PrinterSettings::Scale, 26, 27},
    {"Resolution", &PrinterSettings::Resolution, 25, 25},
    {"Compatible", &PrinterSettings::Compatible, 27, 26},
    {"Title", &PrinterSettings::Title, 33, 28},
    {"Subject", &PrinterSettings::Subject, 34, 29},
    {"Author", &PrinterSettings::Author, 35, 30},
    {"Keywords", &PrinterSettings::Keywords, 36, 31},
    {"Permission", &PrinterSettings::Permission, 30, 33},
    {"Encryption", &PrinterSettings::Encryption, 28, 32},
    {"EncryBits", &PrinterSettings::EncryBits, 29, 34},
    {"OwnerPass", &PrinterSettings::OwnerPass, 31, 35},
    {"UserPass", &PrinterSettings::UserPass, 32, 36},
    {"AutomaticOutput", &PrinterSettings::AutomaticOutput, 37, 37},
    {"AutomaticValue", &PrinterSettings::AutomaticValue, 38, 38},
    {"AutomaticDirectory", &PrinterSettings::AutomaticDirectory, 39, 39},
    {"General_OptimizeWeb", &PrinterSettings::General_OptimizeWeb, 12, 12},
    {"AutoView", &PrinterSettings::AutoView, 15, 15},
    {"OutFileType", &PrinterSettings::OutFileType, 16, 16},
    {"DefaultCharWidth", &PrinterSettings::DefaultCharWidth, 17, 17},
    {"AutoExec", &PrinterSettings::AutoExec, 13, 13},
    {"AutoExecProgram", &PrinterSettings::AutoExecProgram, 14, 14},
    {"CompressText", &PrinterSettings::CompressText, 2, 2},
    {"Compress_AutoZoomImages", &PrinterSettings::Compress_AutoZoomImages, 3, 3},
    {"Compress_ColorImages", &PrinterSettings::Compress_ColorImages, 4, 4},
    {"Compress_MonoColorImages", &PrinterSettings::Compress_MonoColorImages, 5, 5},
    {"Links_IsEnable", &PrinterSettings::Links_IsEnable, 6, 6},
    {"Links_BoderColor", &PrinterSettings::Links_BoderColor, 7, 7},
    {"Links_BoderType", &PrinterSettings::Links_BoderType, 8, 8},
    {"Links_LineStyle", &PrinterSettings::Links_LineStyle, 9, 9},
    {"Links_LineSize", &PrinterSettings::Links_LineSize, 10, 10},
    {"General_PageRotateAngle", &PrinterSettings::General_PageRotateAngle, 11, 11},
}};

std::array<const Field*, kFieldCount> FieldsOrderedBy(int Field::*position) {
    std::array<const Field*, kFieldCount> ordered{};
    for (int i = 0; i < kFieldCount; ++i) {
        ordered[i] = &kFields[i];
    }
    std::sort(ordered.begin(), ordered.end(),
              [position](const Field* a, const Field* b) { return a->*position < b->*position; });
    return ordered;
}

using StoredValues = std::vector<std::pair<std::string, platform::RegistryValue>>;

const platform::RegistryValue* FindValue(const StoredValues& values, std::string_view name) {
    const platform::RegistryValue* found = nullptr;
    for (const auto& [storedName, value] : values) {
        if (platform::EqualsIgnoreCase(storedName, name)) {
            found = &value;  // the last of duplicates wins, as on rewrite
        }
    }
    return found;
}

void ReadField(const Field& field, const StoredValues& stored, PrinterSettings& settings) {
    const platform::RegistryValue* value = FindValue(stored, field.name);
    const auto* dword = value ? std::get_if<std::uint32_t>(value) : nullptr;
    const auto* text = value ? std::get_if<std::string>(value) : nullptr;

    if (const auto* member = std::get_if<IntMember>(&field.member)) {
        if (dword) {
            settings.*(*member) = static_cast<std::int32_t>(*dword);
        }
    } else if (const auto* member = std::get_if<TextMember>(&field.member)) {
        // Kept whole, even beyond the printer's field, so a save writes back
        // exactly what was stored.
        settings.*(*member) = text ? *text : std::string();
    } else {
        float& points = settings.*std::get<PageSizeMember>(field.member);
        points = PageSizeFromStored(dword ? *dword : PageSizeToStored(points));
    }
}

platform::RegistryValue StoredForm(const Field& field, const PrinterSettings& settings) {
    if (const auto* member = std::get_if<IntMember>(&field.member)) {
        return static_cast<std::uint32_t>(settings.*(*member));
    }
    if (const auto* member = std::get_if<TextMember>(&field.member)) {
        return settings.*(*member);
    }
    return PageSizeToStored(settings.*std::get<PageSizeMember>(field.member));
}

bool WritePrinterSettings(const PrinterSettings& settings) {
    StoredValues values;
    values.reserve(kFieldCount);
    for (const Field* field : FieldsOrderedBy(&Field::writePosition)) {
        values.emplace_back(field->name, StoredForm(*field, settings));
    }
    return platform::Registry::CurrentUser().WriteValues(kPrinterSettingsKey, values);
}

}  // namespace

float PageSizeFromStored(std::uint32_t thousandths) {
    // The factor is itself a 32-bit float, and so is the product: this is
    // what makes 512008 come back as 512007, and the printer expects it.
    const float factor = 0.001f;
    const float product = static_cast<float>(thousandths) * factor;
    return product;
}

std::uint32_t PageSizeToStored(float points) {
    const double thousandths = std::trunc(static_cast<double>(points) * kPageSizeScale);
    if (!(thousandths > 0.0)) {
        return 0;  // negative sizes and NaN have no stored form
    }
    if (thousandths >= static_cast<double>(std::numeric_limits<std::uint32_t>::max())) {
        return std::numeric_limits<std::uint32_t>::max();
    }
    return static_cast<std::uint32_t>(thousandths);
}

void LoadPrinterSettings(PrinterSettings& settings) {
    settings = PrinterSettings{};
    const auto stored = platform::Registry::CurrentUser().ReadKey(kPrinterSettingsKey);
    if (!stored) {
        WritePrinterSettings(settings);
        return;
    }
    for (const Field* field : FieldsOrderedBy(&Field::readPosition)) {
        ReadField(*field, *stored, settings);
    }
    if (settings.EncryBits != 5 && settings.EncryBits != 16) {
        settings.EncryBits = 5;
    }
}

void SavePrinterSettings(const PrinterSettings& settings) {
    WritePrinterSettings(settings);
}

bool ConfigurePrinterForJob(const std::string& workingOutput, PrinterJobValues* previous) {
    // A path the printer's field cannot hold would be cut into another,
    // valid-looking path; the job fails instead.
    if (workingOutput.empty() || workingOutput.size() > kPrinterTextCapacity) {
        return false;
    }
    PrinterSettings settings;
    LoadPrinterSettings(settings);
    if (previous != nullptr) {
        *previous = {settings.AutomaticOutput, settings.AutomaticValue, settings.AutoView,
                     settings.AutomaticDirectory};
    }
    settings.AutomaticOutput = 1;
    settings.AutomaticValue = 2;
    settings.AutoView = 0;
    settings.AutomaticDirectory = workingOutput;
    return WritePrinterSettings(settings);
}

bool RestorePrinterAfterJob(const PrinterJobValues& previous) {
    PrinterSettings settings;
    LoadPrinterSettings(settings);
    settings.AutomaticOutput = previous.AutomaticOutput;
    settings.AutomaticValue = previous.AutomaticValue;
    settings.AutoView = previous.AutoView;
    settings.AutomaticDirectory = previous.AutomaticDirectory;
    return WritePrinterSettings(settings);
}

}  // namespace scrivola
