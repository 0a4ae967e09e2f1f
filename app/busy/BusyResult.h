#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

/// Runs work through window.runBusy and returns its result, or nothing when the user
/// cancelled. The result lives with work, which after a cancel may still be running when
/// this returns.
template <typename T, typename Window>
std::optional<T> busyResult(Window& window, const QString& sLabel, std::function<T(const std::atomic_bool& cancel)> work)
{
    auto result = std::make_shared<std::optional<T>>();
    if (!window.runBusy(sLabel, [result, work = std::move(work)](const std::atomic_bool& cancel) {
            result->emplace(work(cancel));
        }))
        return std::nullopt;
    return std::move(*result);
}
