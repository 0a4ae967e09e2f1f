#include "textex/PropertyBag.h"

namespace {

// Stored values compare as the host compares them: a text equals a number or a boolean
// when their texts agree, so the text "32" equals the whole number 32.
bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.metaType() == b.metaType())
        return a == b;
    if (a.canConvert<QString>() && b.canConvert<QString>())
        return a.toString() == b.toString();
    return false;
}

} // namespace

qsizetype PropertyBag::indexOf(const QString& sName) const
{
    for (qsizetype i = 0; i < mEntries.size(); ++i) {
        if (mEntries[i].first.compare(sName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant PropertyBag::ReadProperty(const QString& sName, const QVariant& vDefault) const
{
    const qsizetype i = indexOf(sName);
    return i < 0 ? vDefault : mEntries[i].second;
}

void PropertyBag::WriteProperty(const QString& sName, const QVariant& vValue, const QVariant& vDefault)
{
    const qsizetype i = indexOf(sName);
    if (sameValue(vValue, vDefault)) {
        if (i >= 0)
            mEntries.removeAt(i);
    } else if (i >= 0) {
        mEntries[i].second = vValue;
    } else {
        mEntries.append({sName, vValue});
    }
}

bool PropertyBag::contains(const QString& sName) const
{
    return indexOf(sName) >= 0;
}

QStringList PropertyBag::keys() const
{
    QStringList names;
    for (const auto& entry : mEntries)
        names.append(entry.first);
    return names;
}
