#pragma once
// Argument values every driver passes: yes and no as 16-bit integers, and the
// marker for an optional argument that is not given.
#include "platform/Automation.h"

namespace scrivola {

const platform::automation::Variant& YesArgument();
const platform::automation::Variant& NoArgument();
const platform::automation::Variant& MissingArgument();

}  // namespace scrivola
