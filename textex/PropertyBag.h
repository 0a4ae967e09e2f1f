#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

/// The stored design properties of a control. Keys are matched without regard to case;
/// a value equal to its default is not stored, and a key that is not stored reads as the
/// default the reader passes.
class PropertyBag {
public:
    /// The stored value of sName, or vDefault when none is stored.
    QVariant ReadProperty(const QString& sName, const QVariant& vDefault = {}) const;

    /// Stores vValue under sName, or removes the entry when vValue equals vDefault.
    void WriteProperty(const QString& sName, const QVariant& vValue, const QVariant& vDefault = {});

    bool contains(const QString& sName) const;
    /// The stored keys, with the spelling of their first write, in the order first written.
    QStringList keys() const;
    int count() const { return static_cast<int>(mEntries.size()); }

private:
    qsizetype indexOf(const QString& sName) const;

    QList<QPair<QString, QVariant>> mEntries;
};
