#include "ArgumentRules.h"

#include <string>

namespace office {

using platform::automation::AutomationError;
using platform::automation::Variant;
using platform::automation::VarType;

namespace {

bool Matches(const Variant& value, Arg expected) {
    switch (expected) {
        case Arg::I2:
            return value.Type() == VarType::I2;
        case Arg::I4:
            return value.Type() == VarType::I4;
        case Arg::Bool:
            return value.Type() == VarType::Bool;
        case Arg::BStr:
            return value.Type() == VarType::BStr;
        case Arg::Missing:
            return value.IsMissing();
    }
    return false;
}

}  // namespace

void CheckArguments(std::string_view member, const std::vector<Variant>& args,
                    const std::vector<Arg>& expected, Passing passing) {
    if (args.size() != expected.size()) {
        throw AutomationError(platform::automation::DISP_E_BADPARAMCOUNT,
                              std::string(member) + ": expected " +
                                  std::to_string(expected.size()) + " arguments, got " +
                                  std::to_string(args.size()));
    }
    std::size_t index = 0;
    for (const Arg rule : expected) {
        const Variant& argument = args[index];
        const bool byReference = argument.Type() == VarType::ByRef;
        const bool passingMatches = byReference == (passing == Passing::ByReference);
        if (!passingMatches || !Matches(argument.Value(), rule)) {
            throw AutomationError(platform::automation::DISP_E_TYPEMISMATCH,
                                  std::string(member) + ": argument " + std::to_string(index + 1) +
                                      " has the wrong type");
        }
        ++index;
    }
}

std::vector<Arg> FollowedByMissing(std::vector<Arg> head, std::size_t count) {
    head.insert(head.end(), count, Arg::Missing);
    return head;
}

const Variant& ArgumentValue(const std::vector<Variant>& args, std::size_t index) {
    return args.at(index).Value();
}

}  // namespace office
