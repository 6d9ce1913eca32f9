// Reasons for refusing a value, as the guards report them: an empty reason means acceptable.
#pragma once

#include <initializer_list>
#include <string>

namespace Physics
{

// `reason` when `acceptable` is false, else nothing.
inline std::string Unless(bool acceptable, const char* reason)
{
    return acceptable ? std::string() : std::string(reason);
}

// The first reason given, in order; empty when there is none.
inline std::string FirstReason(std::initializer_list<std::string> reasons)
{
    for (const std::string& reason : reasons)
    {
        if (!reason.empty())
        {
            return reason;
        }
    }
    return {};
}

// Passes a reason to the caller's *error (when asked for) and tells whether there was one.
inline bool Refused(const std::string& reason, std::string* error)
{
    if (!reason.empty() && error != nullptr)
    {
        *error = reason;
    }
    return !reason.empty();
}

}  // namespace Physics
