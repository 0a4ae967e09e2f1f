#pragma once

#include "platform/Result.h"
#include "regex/RegExpError.h"

/// The outcome of Execute or Replace: a value, or an error (a cancelled run is an error
/// numbered RegExpError::Cancelled and is never a partial result).
template <typename T>
class RegExpResult : public Result<T, RegExpError> {
public:
    using Result<T, RegExpError>::Result;

    bool isCancelled() const { return !this->ok() && this->error().Number == RegExpError::Cancelled; }
};
