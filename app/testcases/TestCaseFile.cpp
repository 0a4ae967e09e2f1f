#include "testcases/TestCaseFile.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <optional>

namespace {

/// The messages of the test cases; sifta-cli, which installs no translation, shows them in English.
struct TestCaseTexts {
    Q_DECLARE_TR_FUNCTIONS(TestCaseTexts)
};

const QString kFormat = QStringLiteral("sifta-test-cases");

struct ExpectationName {
    Expectation expectation;
    const char16_t* name;
};

constexpr ExpectationName kExpectationNames[] = {
    {Expectation::Match, u"match"},
    {Expectation::NoMatch, u"no match"},
    {Expectation::ReplaceGives, u"replace"},
};

QString nameOf(Expectation expectation)
{
    for (const ExpectationName& entry : kExpectationNames) {
        if (entry.expectation == expectation)
            return QString::fromUtf16(entry.name);
    }
    Q_UNREACHABLE();
}

std::optional<Expectation> expectationNamed(const QString& name)
{
    for (const ExpectationName& entry : kExpectationNames) {
        if (name == QStringView(entry.name))
            return entry.expectation;
    }
    return std::nullopt;
}

TestCaseFileError error(const QString& message)
{
    return TestCaseFileError{message};
}

/// Reads the values of one JSON object, each by its name and type, into the first error.
class Fields {
public:
    Fields(const QJsonObject& object, const QString& where) : mObject(object), mWhere(where) {}

    QString text(const QString& name, std::optional<QString> byDefault = std::nullopt)
    {
        const QJsonValue value = mObject.value(name);
        if (value.isUndefined() && byDefault)
            return *byDefault;
        if (!value.isString())
            fail(name, value, TestCaseTexts::tr("a text"));
        return value.toString();
    }

    bool flag(const QString& name)
    {
        const QJsonValue value = mObject.value(name);
        if (value.isUndefined())
            return false;
        if (!value.isBool())
            fail(name, value, TestCaseTexts::tr("true or false"));
        return value.toBool();
    }

    const std::optional<TestCaseFileError>& failure() const { return mFailure; }

private:
    void fail(const QString& name, const QJsonValue& value, const QString& wanted)
    {
        if (mFailure)
            return;
        const QString place = mWhere.isEmpty() ? QStringLiteral("\"%1\"").arg(name)
                                               : TestCaseTexts::tr("\"%1\" of %2").arg(name, mWhere);
        mFailure = error(value.isUndefined() ? TestCaseTexts::tr("%1 is missing").arg(place)
                                             : TestCaseTexts::tr("%1 must be %2").arg(place, wanted));
    }

    const QJsonObject& mObject;
    QString mWhere;
    std::optional<TestCaseFileError> mFailure;
};

Result<TestCase, TestCaseFileError> readCase(const QJsonValue& value, qsizetype index)
{
    const QString where = TestCaseTexts::tr("case %1").arg(index + 1);
    if (!value.isObject())
        return error(TestCaseTexts::tr("%1 must be an object").arg(where));
    const QJsonObject object = value.toObject();
    Fields fields(object, where);
    TestCase testCase;
    testCase.text = fields.text(QStringLiteral("text"));
    const QString expect = fields.text(QStringLiteral("expect"));
    if (fields.failure())
        return *fields.failure();
    const std::optional<Expectation> expectation = expectationNamed(expect);
    if (!expectation) {
        return error(TestCaseTexts::tr("\"expect\" of %1 is \"%2\"; it must be \"match\", \"no match\" or \"replace\"")
                         .arg(where, expect));
    }
    testCase.expectation = *expectation;
    if (testCase.expectation == Expectation::ReplaceGives)
        testCase.expected = fields.text(QStringLiteral("result"));
    if (fields.failure())
        return *fields.failure();
    return testCase;
}

} // namespace

QByteArray writeTestSuite(const TestSuite& suite)
{
    QJsonArray cases;
    for (const TestCase& testCase : suite.cases) {
        QJsonObject object{{QStringLiteral("text"), testCase.text},
                           {QStringLiteral("expect"), nameOf(testCase.expectation)}};
        if (testCase.expectation == Expectation::ReplaceGives)
            object.insert(QStringLiteral("result"), testCase.expected);
        cases.append(object);
    }
    const QJsonObject root{
        {QStringLiteral("format"), kFormat},
        {QStringLiteral("version"), kTestCaseFormatVersion},
        {QStringLiteral("pattern"), suite.pattern},
        {QStringLiteral("ignoreCase"), suite.ignoreCase},
        {QStringLiteral("replacement"), suite.replacement},
        {QStringLiteral("caseConversion"), suite.caseConversion},
        {QStringLiteral("cases"), cases},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Result<TestSuite, TestCaseFileError> readTestSuite(const QByteArray& json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const qsizetype line = json.left(parseError.offset).count('\n') + 1;
        return error(TestCaseTexts::tr("not valid JSON at line %1: %2").arg(line).arg(parseError.errorString()));
    }
    if (!document.isObject())
        return error(TestCaseTexts::tr("not a test-case file: the JSON is not an object"));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat)
        return error(TestCaseTexts::tr("not a test-case file: \"format\" must be \"%1\"").arg(kFormat));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != double(version.toInt()) || version.toInt() < 1)
        return error(TestCaseTexts::tr("\"version\" must be a whole number from 1"));
    if (version.toInt() > kTestCaseFormatVersion) {
        return error(TestCaseTexts::tr("version %1 is newer than this Sifta reads (%2)")
                         .arg(version.toInt())
                         .arg(kTestCaseFormatVersion));
    }

    Fields fields(root, QString());
    TestSuite suite;
    suite.pattern = fields.text(QStringLiteral("pattern"));
    suite.ignoreCase = fields.flag(QStringLiteral("ignoreCase"));
    suite.replacement = fields.text(QStringLiteral("replacement"), QString());
    suite.caseConversion = fields.flag(QStringLiteral("caseConversion"));
    if (fields.failure())
        return *fields.failure();
    const QJsonValue cases = root.value(QStringLiteral("cases"));
    if (!cases.isArray())
        return error(cases.isUndefined() ? TestCaseTexts::tr("\"cases\" is missing")
                                         : TestCaseTexts::tr("\"cases\" must be a list"));
    const QJsonArray list = cases.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        Result<TestCase, TestCaseFileError> testCase = readCase(list.at(i), i);
        if (!testCase)
            return testCase.error();
        suite.cases.push_back(std::move(testCase).value());
    }
    return suite;
}
