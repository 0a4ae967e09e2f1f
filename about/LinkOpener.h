#pragma once

#include <QString>

/// Opens a web address in the user's browser. The about window goes through this
/// interface so that tests can record the addresses instead of starting a browser.
class ILinkOpener {
public:
    virtual ~ILinkOpener() = default;

    /// Asks the desktop to open `address`; false when it could not.
    virtual bool openLink(const QString& address) = 0;
};
