#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <QVariantMap>

/// A font object shared by reference: every holder of the same object sees a change made
/// through any of them, and the control that shows it redraws at once (signal Changed).
/// Name keeps the face as it was set, even when that face is not installed and a
/// substitute is shown.
class StdFont : public QObject {
    Q_OBJECT
public:
    explicit StdFont(QObject* parent = nullptr);

    QString Name() const { return mName; }
    void setName(const QString& sValue);
    /// Size in points; fractional sizes such as 8.25 are kept.
    double Size() const { return mSize; }
    void setSize(double nValue);
    /// 400 regular, 700 bold; Bold is Weight >= 700.
    int Weight() const { return mWeight; }
    void setWeight(int nValue);
    bool Bold() const { return mWeight >= 700; }
    void setBold(bool bValue);
    bool Italic() const { return mItalic; }
    void setItalic(bool bValue);
    bool Underline() const { return mUnderline; }
    void setUnderline(bool bValue);
    bool Strikethrough() const { return mStrikethrough; }
    void setStrikethrough(bool bValue);
    int Charset() const { return mCharset; }
    void setCharset(int nValue);

    /// The Qt font to draw with: Name resolved through the Windows face substitutes.
    QFont toQFont() const;

    /// The values as a map with the keys "Name", "Size", "Weight", "Italic", "Underline",
    /// "Strikethrough" and "Charset", the form in which a property bag stores a font.
    QVariantMap toVariant() const;
    /// Sets every value present in vFont (a map as toVariant gives); others stay.
    void assignVariant(const QVariantMap& vFont);
    /// Takes family, point size, weight and style of a Qt font.
    void assignQFont(const QFont& font);

signals:
    void Changed();

private:
    QString mName = QStringLiteral("MS Sans Serif");
    double mSize = 8.25;
    int mWeight = 400;
    bool mItalic = false;
    bool mUnderline = false;
    bool mStrikethrough = false;
    int mCharset = 0;
};
