// The sifta program's own command line, run as a user runs it: the answers that come
// before any window.

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_SiftaCommand : public QObject {
    Q_OBJECT

private slots:
    void answersWithoutWindow_data();
    void answersWithoutWindow();
};

void tst_SiftaCommand::answersWithoutWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // the start of standard output
    QTest::addColumn<QString>("error");  // part of standard error

    QTest::newRow("--help: usage on standard output") << QStringList{u"--help"_s} << 0 << u"Usage: sifta [--] [FILE]\n"_s
                                                     << QString();
    QTest::newRow("--version: name and version") << QStringList{u"--version"_s} << 0 << u"sifta " SIFTA_VERSION "\n"_s
                                                 << QString();
    QTest::newRow("second FILE refused") << QStringList{u"a.txt"_s, u"b.txt"_s} << 2 << QString()
                                         << u"'b.txt' is a second one"_s;
    QTest::newRow("unknown option refused") << QStringList{u"--verbose"_s} << 2 << QString() << u"'--verbose'"_s;
}

void tst_SiftaCommand::answersWithoutWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, error);

    QProcess sifta;
    sifta.start(QStringLiteral(SIFTA_BINARY), arguments);
    QVERIFY(sifta.waitForFinished());
    QCOMPARE(sifta.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sifta.exitCode(), status);
    const QString out = QString::fromLocal8Bit(sifta.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(sifta.readAllStandardError());
    QVERIFY2(out.startsWith(output) && out.isEmpty() == output.isEmpty(), qPrintable(out));
    QVERIFY2(err.contains(error) && err.isEmpty() == error.isEmpty(), qPrintable(err));
}

QTEST_GUILESS_MAIN(tst_SiftaCommand)
#include "tst_siftacommand.moc"
