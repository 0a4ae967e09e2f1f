#include "testcases/TestCaseFile.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_TestCaseFile : public QObject {
    Q_OBJECT

private slots:
    void roundTrip();
    void read_data();
    void read();
    void badFile_data();
    void badFile();
};

void tst_TestCaseFile::roundTrip()
{
    TestSuite suite;
    suite.pattern = u"(\\w+)@(\\w+)"_s;
    suite.ignoreCase = true;
    suite.replacement = u"\\U$2\\E \"$1\""_s;
    suite.caseConversion = true;
    suite.cases = {{u"a@b\r\nline two \u00e9 \U0001F600"_s, Expectation::Match, {}},
                   {u"none"_s, Expectation::NoMatch, {}},
                   {u"x@y"_s, Expectation::ReplaceGives, u"Y \"x\""_s}};
    const Result<TestSuite, TestCaseFileError> read = readTestSuite(writeTestSuite(suite));
    QVERIFY2(read.ok(), qPrintable(read.ok() ? QString() : read.error().message));
    QCOMPARE(read.value(), suite);
}

void tst_TestCaseFile::read_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<bool>("caseConversion");
    QTest::addColumn<int>("cases");

    QTest::newRow("options left out take their defaults")
        << R"({"format":"sifta-test-cases","version":1,"pattern":"a","cases":[]})"_ba << QString() << false << 0;
    QTest::newRow("names it does not know are ignored")
        << R"({"format":"sifta-test-cases","version":1,"pattern":"a","later":7,"replacement":"b",
             "cases":[{"text":"a","expect":"match","note":"x"}]})"_ba
        << u"b"_s << false << 1;
}

void tst_TestCaseFile::read()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, replacement);
    QFETCH(bool, caseConversion);
    QFETCH(int, cases);
    const Result<TestSuite, TestCaseFileError> suite = readTestSuite(json);
    QVERIFY2(suite.ok(), qPrintable(suite.ok() ? QString() : suite.error().message));
    QCOMPARE(suite->replacement, replacement);
    QCOMPARE(suite->caseConversion, caseConversion);
    QCOMPARE(qsizetype(suite->cases.size()), qsizetype(cases));
}

void tst_TestCaseFile::badFile_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message"); ///< how the message starts: the parser's own words follow

    const QByteArray head = R"({"format":"sifta-test-cases","version":1,)"_ba;
    QTest::newRow("not JSON") << "{\n\"format\": }"_ba << u"not valid JSON at line 2: "_s;
    QTest::newRow("not an object") << "[]"_ba << u"not a test-case file: the JSON is not an object"_s;
    QTest::newRow("another format") << R"({"format":"other","version":1})"_ba
                                    << u"not a test-case file: \"format\" must be \"sifta-test-cases\""_s;
    QTest::newRow("newer version") << R"({"format":"sifta-test-cases","version":2})"_ba
                                   << u"version 2 is newer than this Sifta reads (1)"_s;
    QTest::newRow("version not a whole number") << R"({"format":"sifta-test-cases","version":"1"})"_ba
                                                << u"\"version\" must be a whole number from 1"_s;
    QTest::newRow("pattern missing") << head + R"("cases":[]})" << u"\"pattern\" is missing"_s;
    QTest::newRow("option of the wrong type") << head + R"("pattern":"a","ignoreCase":"yes","cases":[]})"
                                              << u"\"ignoreCase\" must be true or false"_s;
    QTest::newRow("cases missing") << head + R"("pattern":"a"})" << u"\"cases\" is missing"_s;
    QTest::newRow("cases not a list") << head + R"("pattern":"a","cases":{}})" << u"\"cases\" must be a list"_s;
    QTest::newRow("case not an object") << head + R"("pattern":"a","cases":["a"]})"
                                        << u"case 1 must be an object"_s;
    QTest::newRow("case without text") << head + R"("pattern":"a","cases":[{"expect":"match"}]})"
                                       << u"\"text\" of case 1 is missing"_s;
    QTest::newRow("unknown expectation")
        << head + R"("pattern":"a","cases":[{"text":"a","expect":"match"},{"text":"a","expect":"maybe"}]})"
        << u"\"expect\" of case 2 is \"maybe\"; it must be \"match\", \"no match\" or \"replace\""_s;
    QTest::newRow("replacement case without result")
        << head + R"("pattern":"a","cases":[{"text":"a","expect":"replace"}]})"
        << u"\"result\" of case 1 is missing"_s;
}

void tst_TestCaseFile::badFile()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    const Result<TestSuite, TestCaseFileError> suite = readTestSuite(json);
    QVERIFY(!suite.ok());
    QVERIFY2(suite.error().message.startsWith(message), qPrintable(suite.error().message));
}

QTEST_GUILESS_MAIN(tst_TestCaseFile)
#include "tst_testcasefile.moc"
