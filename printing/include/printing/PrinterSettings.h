#pragma once
// The virtual printer's per-user configuration: the in-memory image of its
// registry key, loaded with defaults, saved whole, and pointed at the next
// job's file before each print.
#include <cstddef>
#include <cstdint>
#include <string>

namespace scrivola {

// Below HKEY_CURRENT_USER; the printer reads its values from here.
inline constexpr char kPrinterSettingsKey[] = "Software\\folivosoft\\folivoprint";

// Longest text, in characters, that the printer's text values and passwords
// hold (fields of 256 and 32 bytes with their terminating zero).
inline constexpr std::size_t kPrinterTextCapacity = 255;
inline constexpr std::size_t kPrinterPasswordCapacity = 31;

// PageW and PageH are stored as thousandths of a point.
inline constexpr std::uint32_t kPageSizeScale = 1000;

// Members carry the printer's value names. Text members keep a stored value
// whole even when it is longer than the printer's field, so that saving
// never writes back a cut value.
struct PrinterSettings {
    std::int32_t disable = 0;
    std::int32_t Unit = 1;
    std::int32_t PageSelect = 1;
    std::int32_t PageSize = 7;
    float PageW = 595.0f;  // 595 x 842 points is A4
    float PageH = 842.0f;
    std::int32_t Margin = 0;
    std::int32_t Orientation = 1;
    std::int32_t Scale = 100;  // percent
    std::int32_t Resolution = 3;
    std::int32_t Compatible = 1;
    std::string Title;
    std::string Subject;
    std::string Author;
    std::string Keywords;
    std::int32_t Permission = -4;  // every bit but the two lowest
    std::int32_t Encryption = 0;
    std::int32_t EncryBits = 5;  // key length in bytes: 5 (40 bits) or 16 (128 bits)
    std::string OwnerPass;
    std::string UserPass;
    std::int32_t AutomaticOutput = 0;
    std::int32_t AutomaticValue = 2;
    std::string AutomaticDirectory;
    std::int32_t General_OptimizeWeb = 0;
    std::int32_t AutoView = 0;
    std::int32_t OutFileType = 0;
    std::int32_t DefaultCharWidth = 6;
    std::int32_t AutoExec = 0;
    std::string AutoExecProgram;
    std::int32_t CompressText = 1;
    std::int32_t Compress_AutoZoomImages = 0;
    std::int32_t Compress_ColorImages = 1;
    std::int32_t Compress_MonoColorImages = 0;
    std::int32_t Links_IsEnable = 1;
    std::int32_t Links_BoderColor = 255;
    std::int32_t Links_BoderType = 0;
    std::int32_t Links_LineStyle = 0;
    std::int32_t Links_LineSize = 0;
    std::int32_t General_PageRotateAngle = 0;
};

// Fills the record from the current user's registry; what cannot be read
// keeps its default. A missing key is created with every default.
void LoadPrinterSettings(PrinterSettings& settings);

// Writes all 39 values in one locked rewrite of the registry file.
void SavePrinterSettings(const PrinterSettings& settings);

// The values a job changes, as they were before it.
struct PrinterJobValues {
    std::int32_t AutomaticOutput = 0;
    std::int32_t AutomaticValue = 2;
    std::int32_t AutoView = 0;
    std::string AutomaticDirectory;
};

// Points the printer's next job at `workingOutput` without any prompt, and
// tells what the changed values were. False (and the key untouched) when the
// path is empty or does not fit the printer's field; false also when the
// configuration could not be written.
bool ConfigurePrinterForJob(const std::string& workingOutput, PrinterJobValues* previous = nullptr);

// Puts back what ConfigurePrinterForJob changed, so that the next print to
// the virtual printer, from any program, no longer replaces the job's file.
bool RestorePrinterAfterJob(const PrinterJobValues& previous);

// The stored form of PageW and PageH and back, through a 32-bit float.
float PageSizeFromStored(std::uint32_t thousandths);
std::uint32_t PageSizeToStored(float points);

}  // namespace scrivola
