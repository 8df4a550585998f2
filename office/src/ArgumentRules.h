#pragma once
// The exact argument lists the servers accept: count, order, types, and
// whether each comes by value or by reference.
#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/Automation.h"

namespace office {

enum class Arg { I2, I4, Bool, BStr, Missing };
enum class Passing { ByValue, ByReference };

// Throws AutomationError (DISP_E_BADPARAMCOUNT or DISP_E_TYPEMISMATCH) when
// the arguments do not match.
void CheckArguments(std::string_view member, const std::vector<platform::automation::Variant>& args,
                    const std::vector<Arg>& expected, Passing passing = Passing::ByValue);

// `head` followed by `count` missing arguments.
std::vector<Arg> FollowedByMissing(std::vector<Arg> head, std::size_t count);

// The value of an argument that passed CheckArguments, looked through a
// reference.
const platform::automation::Variant& ArgumentValue(
    const std::vector<platform::automation::Variant>& args, std::size_t index);

}  // namespace office
