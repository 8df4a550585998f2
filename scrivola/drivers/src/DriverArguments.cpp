#include "DriverArguments.h"

namespace scrivola {

using platform::automation::Variant;

const Variant& YesArgument() {
    static const Variant yes = Variant::I2(1);
    return yes;
}

const Variant& NoArgument() {
    static const Variant no = Variant::I2(0);
    return no;
}

const Variant& MissingArgument() {
    static const Variant missing = Variant::Missing();
    return missing;
}

}  // namespace scrivola
