#include "settings/SettingText.h"

#include <QTest>

class tst_SettingText : public QObject {
    Q_OBJECT

private slots:
    void storedText_data();
    void storedText();
    void textToBoolean_data();
    void textToBoolean();
    void textToInteger_data();
    void textToInteger();
};

void tst_SettingText::storedText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("asDefault");

    QTest::newRow("true is the number -1 when written, the word when a default") << QVariant(true) << "-1" << "True";
    QTest::newRow("false is 0 when written, the word when a default") << QVariant(false) << "0" << "False";
    QTest::newRow("check box value 1") << QVariant(1) << "1" << "1";
    QTest::newRow("negative number") << QVariant(-32768) << "-32768" << "-32768";
    QTest::newRow("16-bit number") << QVariant::fromValue<qint16>(2) << "2" << "2";
    QTest::newRow("text unchanged") << QVariant(QStringLiteral(" a\\b ")) << " a\\b " << " a\\b ";
    QTest::newRow("text that looks like a boolean stays text") << QVariant(QStringLiteral("True")) << "True" << "True";
    QTest::newRow("no value is empty text") << QVariant() << "" << "";
}

void tst_SettingText::storedText()
{
    QFETCH(QVariant, value);
    QFETCH(QString, written);
    QFETCH(QString, asDefault);
    QCOMPARE(valueToText(value), written);
    QCOMPARE(defaultToText(value), asDefault);
}

void tst_SettingText::textToBoolean_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // 1 true, 0 false, -1 cannot be read

    QTest::newRow("stored true") << "-1" << 1;
    QTest::newRow("stored false") << "0" << 0;
    QTest::newRow("any other number is true") << "2" << 1;
    QTest::newRow("zero with a fraction is false") << "0.0" << 0;
    QTest::newRow("fraction is true") << "0.5" << 1;
    QTest::newRow("plus sign") << "+3" << 1;
    QTest::newRow("word True") << "True" << 1;
    QTest::newRow("word in capitals") << "FALSE" << 0;
    QTest::newRow("word in mixed case") << "tRuE" << 1;
    QTest::newRow("blanks around") << " \t-1 " << 1;
    QTest::newRow("empty text") << "" << -1;
    QTest::newRow("sign alone") << "-" << -1;
    QTest::newRow("point alone") << "." << -1;
    QTest::newRow("two points") << "1.2.3" << -1;
    QTest::newRow("other word") << "yes" << -1;
    QTest::newRow("digits then letters") << "1x" << -1;
    QTest::newRow("blank inside") << "1 0" << -1;
    QTest::newRow("very long number is still read") << QString(400, u'9') << 1;
}

void tst_SettingText::textToBoolean()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const std::optional<bool> result = ::textToBoolean(text);
    QCOMPARE(result.has_value(), expected >= 0);
    if (result)
        QCOMPARE(*result, expected == 1);
}

void tst_SettingText::textToInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("expected");

    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("ticked") << "1" << true << 1;
    QTest::newRow("greyed") << "2" << true << 2;
    QTest::newRow("negative") << "-1" << true << -1;
    QTest::newRow("blanks around") << " 7 " << true << 7;
    QTest::newRow("largest int") << "2147483647" << true << 2147483647;
    QTest::newRow("too large for int") << "2147483648" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("word") << "True" << false << 0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
}

void tst_SettingText::textToInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(int, expected);
    const std::optional<int> result = ::textToInteger(text);
    QCOMPARE(result.has_value(), readable);
    if (result)
        QCOMPARE(*result, expected);
}

QTEST_GUILESS_MAIN(tst_SettingText)
#include "tst_settingtext.moc"
