#pragma once

#include "search/RegExpError.h"

#include <QtGlobal>

#include <utility>
#include <variant>

/// The outcome of Execute or Replace: a value, or an error (a cancelled run is an error
/// numbered RegExpError::Cancelled and is never a partial result).
template <typename T>
class RegExpResult {
public:
    RegExpResult(T value) : mValue(std::move(value)) {}
    RegExpResult(RegExpError error) : mValue(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(mValue); }
    explicit operator bool() const { return ok(); }
    bool isCancelled() const { return !ok() && error().Number == RegExpError::Cancelled; }

    /// Only when ok().
    const T& value() const& { Q_ASSERT(ok()); return std::get<T>(mValue); }
    T&& value() && { Q_ASSERT(ok()); return std::get<T>(std::move(mValue)); }
    const T* operator->() const { return &value(); }
    /// Only when !ok().
    const RegExpError& error() const { Q_ASSERT(!ok()); return std::get<RegExpError>(mValue); }

private:
    std::variant<T, RegExpError> mValue;
};
