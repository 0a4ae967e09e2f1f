#include "textex/StdFont.h"

#include "textex/FontFaces.h"

StdFont::StdFont(QObject* parent)
    : QObject(parent)
{
}

namespace {

template <typename T>
void assignAndNotify(StdFont& font, T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    emit font.Changed();
}

} // namespace

void StdFont::setName(const QString& sValue) { assignAndNotify(*this, mName, sValue); }
void StdFont::setSize(double nValue) { assignAndNotify(*this, mSize, nValue); }
void StdFont::setWeight(int nValue) { assignAndNotify(*this, mWeight, nValue); }
void StdFont::setBold(bool bValue) { setWeight(bValue ? 700 : 400); }
void StdFont::setItalic(bool bValue) { assignAndNotify(*this, mItalic, bValue); }
void StdFont::setUnderline(bool bValue) { assignAndNotify(*this, mUnderline, bValue); }
void StdFont::setStrikethrough(bool bValue) { assignAndNotify(*this, mStrikethrough, bValue); }
void StdFont::setCharset(int nValue) { assignAndNotify(*this, mCharset, nValue); }

QFont StdFont::toQFont() const
{
    QFont font = windowsFont(mName, mSize);
    font.setWeight(static_cast<QFont::Weight>(qBound(1, mWeight, 1000)));
    font.setItalic(mItalic);
    font.setUnderline(mUnderline);
    font.setStrikeOut(mStrikethrough);
    return font;
}

QVariantMap StdFont::toVariant() const
{
    return {
        {QStringLiteral("Name"), mName},
        {QStringLiteral("Size"), mSize},
        {QStringLiteral("Weight"), mWeight},
        {QStringLiteral("Italic"), mItalic},
        {QStringLiteral("Underline"), mUnderline},
        {QStringLiteral("Strikethrough"), mStrikethrough},
        {QStringLiteral("Charset"), mCharset},
    };
}

void StdFont::assignVariant(const QVariantMap& vFont)
{
    const QVariantMap before = toVariant();
    {
        // One Changed for the whole assignment, not one per value.
        const QSignalBlocker quiet(this);
        if (vFont.contains(QStringLiteral("Name")))
            setName(vFont.value(QStringLiteral("Name")).toString());
        if (vFont.contains(QStringLiteral("Size")))
            setSize(vFont.value(QStringLiteral("Size")).toDouble());
        if (vFont.contains(QStringLiteral("Weight")))
            setWeight(vFont.value(QStringLiteral("Weight")).toInt());
        if (vFont.contains(QStringLiteral("Italic")))
            setItalic(vFont.value(QStringLiteral("Italic")).toBool());
        if (vFont.contains(QStringLiteral("Underline")))
            setUnderline(vFont.value(QStringLiteral("Underline")).toBool());
        if (vFont.contains(QStringLiteral("Strikethrough")))
            setStrikethrough(vFont.value(QStringLiteral("Strikethrough")).toBool());
        if (vFont.contains(QStringLiteral("Charset")))
            setCharset(vFont.value(QStringLiteral("Charset")).toInt());
    }
    if (before != toVariant())
        emit Changed();
}

void StdFont::assignQFont(const QFont& font)
{
    QVariantMap values = {
        {QStringLiteral("Name"), font.family()},
        {QStringLiteral("Weight"), static_cast<int>(font.weight())},
        {QStringLiteral("Italic"), font.italic()},
        {QStringLiteral("Underline"), font.underline()},
        {QStringLiteral("Strikethrough"), font.strikeOut()},
    };
    if (font.pointSizeF() > 0)
        values.insert(QStringLiteral("Size"), font.pointSizeF());
    assignVariant(values);
}
