// Replays every seed and every input a fuzz target once failed on through the same checks,
// so a fixed fault stays fixed in the ordinary test run.

#include "FuzzChecks.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestFuzzRegressions : public QObject {
    Q_OBJECT

private slots:
    void inputKeepsEveryProperty_data();
    void inputKeepsEveryProperty();
};

void TestFuzzRegressions::inputKeepsEveryProperty_data()
{
    QTest::addColumn<int>("check");
    QTest::addColumn<QString>("path");
    const QDir root(QStringLiteral(SIFTA_FUZZ_DIR));
    for (int i = 0; i < int(FuzzChecks::kChecks.size()); ++i) {
        const QString name = QString::fromLatin1(FuzzChecks::kChecks[i].name);
        for (const char* folder : {"corpus", "regressions"}) {
            const QDir inputs(root.filePath(QLatin1String(folder) + u'/' + name));
            for (const QString& file : inputs.entryList(QDir::Files, QDir::Name)) {
                const QString row = QLatin1String(folder) + u'/' + name + u'/' + file;
                QTest::newRow(qPrintable(row)) << i << inputs.filePath(file);
            }
        }
    }
}

void TestFuzzRegressions::inputKeepsEveryProperty()
{
    QFETCH(int, check);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QString failure = FuzzChecks::kChecks[check].run(file.readAll());
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
