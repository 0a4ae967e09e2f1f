#pragma once

#include <QString>

#include <atomic>
#include <functional>

/// The Matches window as its commands see it.
class IMatchesWindow {
public:
    virtual ~IMatchesWindow() = default;

    /// Runs work, a step that may take long, while the window shows that it is busy; the
    /// flag is raised when the user cancels. False when the user cancelled, once it has ended.
    virtual bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work) = 0;
    /// Puts sText on the clipboard as plain text.
    virtual void setClipboardText(const QString& sText) = 0;
};
