#include "textex/FontFaces.h"
#include "textex/PropertyBag.h"
#include "textex/PropertyValues.h"
#include "textex/Utf8Slices.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTest>

class TstTextExValues : public QObject {
    Q_OBJECT
private slots:
    void tabStopLists_data();
    void tabStopLists();
    void wholeNumbers_data();
    void wholeNumbers();
    void booleans_data();
    void booleans();
    void bagKeysIgnoreCase();
    void bagStoresOnlyValuesOtherThanDefault_data();
    void bagStoresOnlyValuesOtherThanDefault();
    void windowsFacesResolve_data();
    void windowsFacesResolve();
    void slicedTextDecodesWhole_data();
    void slicedTextDecodesWhole();
};

void TstTextExValues::tabStopLists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("units");
    QTest::addColumn<int>("error");

    QTest::newRow("one number") << QStringLiteral("8") << QList<int>{8} << 0;
    QTest::newRow("two numbers") << QStringLiteral("8,20") << QList<int>{8, 20} << 0;
    QTest::newRow("blanks around numbers") << QStringLiteral(" 8 , 20 ") << QList<int>{8, 20} << 0;
    QTest::newRow("empty text is one stop of 32") << QString() << QList<int>{32} << 0;
    QTest::newRow("fraction rounds half to even") << QStringLiteral("8.5,9.5") << QList<int>{8, 10} << 0;
    QTest::newRow("letter is a type mismatch") << QStringLiteral("8,a") << QList<int>{} << 13;
    QTest::newRow("empty item is a type mismatch") << QStringLiteral("8,") << QList<int>{} << 13;
    QTest::newRow("blank text is a type mismatch") << QStringLiteral(" ") << QList<int>{} << 13;
    QTest::newRow("beyond 32 bits overflows") << QStringLiteral("4294967296") << QList<int>{} << 6;
}

void TstTextExValues::tabStopLists()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, units);
    QFETCH(int, error);

    const TabStopList list = parseTabStops(text);
    const std::vector<int> stops = list ? list.value() : std::vector<int>();
    QCOMPARE(list ? 0 : list.error().Number, error);
    QCOMPARE(QList<int>(stops.begin(), stops.end()), units);
}

void TstTextExValues::wholeNumbers_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("error");

    QTest::newRow("integer") << QVariant(3) << 3 << 0;
    QTest::newRow("numeric text") << QVariant(QStringLiteral(" -12 ")) << -12 << 0;
    QTest::newRow("double rounds half to even") << QVariant(2.5) << 2 << 0;
    QTest::newRow("true is -1") << QVariant(true) << -1 << 0;
    QTest::newRow("largest 32-bit value") << QVariant(2147483647.0) << 2147483647 << 0;
    QTest::newRow("beyond 32 bits overflows") << QVariant(2147483648.0) << 0 << 6;
    QTest::newRow("word is a type mismatch") << QVariant(QStringLiteral("two")) << 0 << 13;
    QTest::newRow("map is a type mismatch") << QVariant(QVariantMap{}) << 0 << 13;
}

void TstTextExValues::wholeNumbers()
{
    QFETCH(QVariant, value);
    QFETCH(int, number);
    QFETCH(int, error);

    const WholeNumber converted = toWholeNumber(value);
    QCOMPARE(converted ? 0 : converted.error().Number, error);
    QCOMPARE(converted ? converted.value() : 0, number);
}

void TstTextExValues::booleans_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("error");

    QTest::newRow("boolean") << QVariant(true) << true << 0;
    QTest::newRow("text True in any case") << QVariant(QStringLiteral("tRUE")) << true << 0;
    QTest::newRow("text -1") << QVariant(QStringLiteral("-1")) << true << 0;
    QTest::newRow("text 0") << QVariant(QStringLiteral("0")) << false << 0;
    QTest::newRow("number 2") << QVariant(2) << true << 0;
    QTest::newRow("word is a type mismatch") << QVariant(QStringLiteral("yes")) << false << 13;
}

void TstTextExValues::booleans()
{
    QFETCH(QVariant, value);
    QFETCH(bool, result);
    QFETCH(int, error);

    const Boolean converted = toBoolean(value);
    QCOMPARE(converted ? 0 : converted.error().Number, error);
    QCOMPARE(converted ? converted.value() : false, result);
}

void TstTextExValues::bagKeysIgnoreCase()
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("MultiLine"), true, false);
    QCOMPARE(bag.ReadProperty(QStringLiteral("multiline"), false), QVariant(true));
    bag.WriteProperty(QStringLiteral("MULTILINE"), false, true);
    QCOMPARE(bag.keys(), QStringList{QStringLiteral("MultiLine")});
    QCOMPARE(bag.ReadProperty(QStringLiteral("MultiLine"), true), QVariant(false));
    QCOMPARE(bag.ReadProperty(QStringLiteral("Missing"), 7), QVariant(7));
}

void TstTextExValues::bagStoresOnlyValuesOtherThanDefault_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<bool>("stored");

    QTest::newRow("equal number") << QVariant(0) << QVariant(0) << false;
    QTest::newRow("text 32 equals the number 32") << QVariant(QStringLiteral("32")) << QVariant(32) << false;
    QTest::newRow("text 16 differs from 32") << QVariant(QStringLiteral("16")) << QVariant(32) << true;
    QTest::newRow("empty text differs from the instance name")
        << QVariant(QString()) << QVariant(QStringLiteral("txtDocument")) << true;
    QTest::newRow("equal font") << QVariant(QVariantMap{{QStringLiteral("Name"), QStringLiteral("A")}})
                                << QVariant(QVariantMap{{QStringLiteral("Name"), QStringLiteral("A")}}) << false;
}

void TstTextExValues::bagStoresOnlyValuesOtherThanDefault()
{
    QFETCH(QVariant, value);
    QFETCH(QVariant, defaultValue);
    QFETCH(bool, stored);

    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Key"), QStringLiteral("earlier"));
    bag.WriteProperty(QStringLiteral("Key"), value, defaultValue);
    QCOMPARE(bag.contains(QStringLiteral("key")), stored);
    QCOMPARE(bag.ReadProperty(QStringLiteral("Key"), defaultValue), stored ? value : defaultValue);
}

void TstTextExValues::windowsFacesResolve_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("fixedPitch");

    QTest::newRow("Lucida Console is fixed-pitch") << QStringLiteral("Lucida Console") << true;
    QTest::newRow("Courier New is fixed-pitch") << QStringLiteral("Courier New") << true;
    QTest::newRow("Lucida Sans is proportional") << QStringLiteral("Lucida Sans") << false;
    QTest::newRow("MS Sans Serif is proportional") << QStringLiteral("MS Sans Serif") << false;
}

void TstTextExValues::windowsFacesResolve()
{
    QFETCH(QString, face);
    QFETCH(bool, fixedPitch);

    const QFont font = windowsFont(face, 9);
    QCOMPARE(font.family(), face);
    QCOMPARE(font.pointSizeF(), 9.0);
    const QFontInfo shown(font);
    QCOMPARE(shown.fixedPitch(), fixedPitch);
    const QFontMetricsF metrics(font);
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('M')), fixedPitch);
}

void TstTextExValues::slicedTextDecodesWhole_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("ASCII over several slices") << QStringLiteral("abcdefghij");
    // In slices of three bytes, the letters of two bytes and of four lie across slice boundaries.
    QTest::newRow("characters cut by slice boundaries") << QStringLiteral("a\u00e9\u00e9\u6771\U0001F600b");
    QTest::newRow("a leading byte-order mark") << QStringLiteral("\uFEFFab");
}

void TstTextExValues::slicedTextDecodesWhole()
{
    QFETCH(QString, text);
    const QByteArray utf8 = text.toUtf8();
    Utf8Slices slices(utf8, 3);
    QCOMPARE(slices.decode(), QString::fromUtf8(utf8));
}

QTEST_MAIN(TstTextExValues)
#include "tst_textexvalues.moc"
