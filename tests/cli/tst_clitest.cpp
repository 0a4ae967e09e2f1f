#include "CliFixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

/// sifta-cli test: its output and exit status over test-case files.
class tst_CliTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();

private:
    QTemporaryDir mFolder;
    std::optional<CurrentFolder> mInFolder;
};

namespace {

QByteArray suiteFile(const QByteArray& pattern, const QByteArray& cases)
{
    return R"({"format":"sifta-test-cases","version":1,"pattern":")" + pattern
         + R"(","replacement":"<$&>","cases":[)" + cases + "]}";
}

} // namespace

void tst_CliTest::initTestCase()
{
    QVERIFY(mFolder.isValid());
    mInFolder.emplace(mFolder.path());
    const QByteArray match = R"({"text":"abc","expect":"match"})";
    const QByteArray noMatch = R"({"text":"xyz","expect":"no match"})";
    const QByteArray replaced = R"({"text":"a b","expect":"replace","result":"<a> <b>"})";
    QVERIFY(FileContent::write(u"pass.json"_s, suiteFile("\\\\w", match + ',' + replaced)));
    QVERIFY(FileContent::write(u"fail.json"_s, suiteFile("a", match + ',' + noMatch + ',' + replaced
                                                          + R"(,{"text":"xyz","expect":"match"})")));
    QVERIFY(FileContent::write(u"badpattern.json"_s, suiteFile("(a", match)));
    QVERIFY(FileContent::write(u"newer.json"_s, R"({"format":"sifta-test-cases","version":9})"));
}

void tst_CliTest::run_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("every case passes") << QStringList{"pass.json"} << QByteArray() << QByteArray() << 0;
    QTest::newRow("a line for each failing case")
        << QStringList{"pass.json", "fail.json"}
        << QByteArray("fail.json: case 3: expected \"<a> <b>\", got \"<a> b\"\n"
                      "fail.json: case 4: expected a match, got no match\n")
        << QByteArray() << 1;
    QTest::newRow("a pattern that does not compile")
        << QStringList{"badpattern.json"} << QByteArray()
        << QByteArray("sifta-cli: badpattern.json: the pattern: Expected ')' in regular expression\n") << 2;
    QTest::newRow("a newer file, and the next is still checked")
        << QStringList{"newer.json", "fail.json"}
        << QByteArray("fail.json: case 3: expected \"<a> <b>\", got \"<a> b\"\n"
                      "fail.json: case 4: expected a match, got no match\n")
        << QByteArray("sifta-cli: newer.json: version 9 is newer than this Sifta reads (1)\n") << 2;
    QTest::newRow("a file that cannot be read")
        << QStringList{"missing.json"} << QByteArray()
        << QByteArray("sifta-cli: cannot read 'missing.json': No such file or directory\n") << 2;
}

void tst_CliTest::run()
{
    QFETCH(QStringList, files);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(int, exitCode);

    const CliRun run = runInProcess(QStringList{u"test"_s} + files, "standard input is not read");
    QCOMPARE(run.out, out);
    QCOMPARE(run.err, err);
    QCOMPARE(run.exitCode, exitCode);
}

QTEST_GUILESS_MAIN(tst_CliTest)
#include "tst_clitest.moc"
