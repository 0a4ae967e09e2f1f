#pragma once

#include <QString>

/// An error a property write reports to its caller, numbered as the host's runtime numbers it.
struct PropertyError {
    int Number = 0;
    QString Description;

    static PropertyError TypeMismatch() { return {13, QStringLiteral("Type mismatch")}; }
    static PropertyError Overflow() { return {6, QStringLiteral("Overflow")}; }

    friend bool operator==(const PropertyError&, const PropertyError&) = default;
};
