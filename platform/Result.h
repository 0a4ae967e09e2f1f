#pragma once

#include <QtGlobal>

#include <optional>
#include <utility>
#include <variant>

/// The outcome of an operation that can fail: the value it made, or the error that stopped
/// it, never both. Reading the value of a failed result, or the error of a successful one,
/// is a programming error.
template <typename T, typename E>
class Result {
public:
    Result(T value) : mValue(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : mValue(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return mValue.index() == 0; }
    explicit operator bool() const { return ok(); }

    /// Only when ok().
    const T& value() const& { Q_ASSERT(ok()); return std::get<0>(mValue); }
    T& value() & { Q_ASSERT(ok()); return std::get<0>(mValue); }
    T&& value() && { Q_ASSERT(ok()); return std::get<0>(std::move(mValue)); }
    const T* operator->() const { return &value(); }
    /// Only when !ok().
    const E& error() const { Q_ASSERT(!ok()); return std::get<1>(mValue); }

private:
    std::variant<T, E> mValue;
};

/// The outcome of an operation that makes no value: success, or the error that stopped it.
template <typename E>
class Result<void, E> {
public:
    Result() = default;
    Result(E error) : mError(std::move(error)) {}

    bool ok() const { return !mError; }
    explicit operator bool() const { return ok(); }

    /// Only when !ok().
    const E& error() const { Q_ASSERT(!ok()); return mError.value(); }

private:
    std::optional<E> mError;
};
