#include "window/AccessibleCaption.h"

#include <QTest>

class tst_AccessibleCaption : public QObject {
    Q_OBJECT

private slots:
    void withoutAccessKey_data();
    void withoutAccessKey();
};

void tst_AccessibleCaption::withoutAccessKey_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("spoken");

    QTest::newRow("marker dropped") << QStringLiteral("Find &Next") << QStringLiteral("Find Next");
    QTest::newRow("doubled marker is one ampersand") << QStringLiteral("Search && Replace") << QStringLiteral("Search & Replace");
    QTest::newRow("marker before a doubled one") << QStringLiteral("&A && B") << QStringLiteral("A & B");
    QTest::newRow("lone marker at the end dropped") << QStringLiteral("Odd&") << QStringLiteral("Odd");
    QTest::newRow("no marker") << QStringLiteral("Match 1 of 2") << QStringLiteral("Match 1 of 2");
}

void tst_AccessibleCaption::withoutAccessKey()
{
    QFETCH(QString, caption);
    QFETCH(QString, spoken);
    QCOMPARE(::withoutAccessKey(caption), spoken);
}

QTEST_GUILESS_MAIN(tst_AccessibleCaption)
#include "tst_accessiblecaption.moc"
