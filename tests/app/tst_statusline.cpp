#include "window/StatusLine.h"

#include <QTest>

class tst_StatusLine : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void matchCount_data();
    void matchCount();
};

void tst_StatusLine::text_data()
{
    QTest::addColumn<qint64>("line");
    QTest::addColumn<qint64>("column");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty document") << qint64(1) << qint64(1) << qint64(0)
                                    << QStringLiteral("Line: 1    Col: 1    Len: 0");
    QTest::newRow("length grouped") << qint64(1) << qint64(1) << qint64(12345)
                                    << QStringLiteral("Line: 1    Col: 1    Len: 12,345");
    QTest::newRow("line and column grouped") << qint64(1000) << qint64(2500) << qint64(1234567)
                                             << QStringLiteral("Line: 1,000    Col: 2,500    Len: 1,234,567");
    QTest::newRow("999 not grouped") << qint64(999) << qint64(3) << qint64(999)
                                     << QStringLiteral("Line: 999    Col: 3    Len: 999");
}

void tst_StatusLine::text()
{
    QFETCH(qint64, line);
    QFETCH(qint64, column);
    QFETCH(qint64, length);
    QFETCH(QString, expected);
    QCOMPARE(statusLineText(line, column, length, QLocale(QLocale::English, QLocale::UnitedStates)), expected);
}

void tst_StatusLine::matchCount_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("expected");

    QTest::newRow("none") << qint64(0) << QStringLiteral("0 matches");
    QTest::newRow("one, singular") << qint64(1) << QStringLiteral("1 match");
    QTest::newRow("grouped as the status line") << qint64(1234567) << QStringLiteral("1,234,567 matches");
}

void tst_StatusLine::matchCount()
{
    QFETCH(qint64, count);
    QFETCH(QString, expected);
    QCOMPARE(matchCountText(count, QLocale(QLocale::English, QLocale::UnitedStates)), expected);
}

QTEST_GUILESS_MAIN(tst_StatusLine)
#include "tst_statusline.moc"
