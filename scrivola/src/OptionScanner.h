#pragma once
// The converter's option scanner: "-x" letters, some followed by a value in
// the next argument. The first argument that is not an option, or an
// unknown letter, ends option processing for good.
#include <cstdint>
#include <string_view>

namespace scrivola {

inline constexpr char kOptionString[] = "j:t:a:k:i:o:w:h:b:z:c:q:r:v:p:V?";
inline constexpr int kEndOfOptions = -1;

struct OptionScanner {
    int index = 1;  // the next argument to look at; 0 is the program path
};

// Returns the option letter and sets `value` to the option's value (the next
// argument, "" when there is none) or to null for a letter without value.
// Returns kEndOfOptions when option processing ends.
int NextOption(OptionScanner& scanner, int argc, const char* const* argv,
               std::string_view optionString, const char*& value);

// The standard decimal conversion: leading blanks, an optional sign, digits
// up to the first non-digit; no digits give 0. Out-of-range values saturate.
std::int32_t ParseDecimalInteger(std::string_view text);

}  // namespace scrivola
