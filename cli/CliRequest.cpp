#include "cli/CliRequest.h"

#include <QByteArrayView>

#include <optional>

namespace {

enum class OptionId {
    IgnoreCase,
    Pattern,
    Recursive,
    BinaryFiles,
    InPlace,
    ToUtf8,
    CaseConversion,
    Color,
    Threads,
    Help,
    Version
};
enum class Takes { Nothing, Value, OptionalValue };

constexpr int kMostThreads = 1024;

struct OptionSpec {
    OptionId id;
    char shortName; ///< 0 when the option has only a long name
    const char* longName;
    Takes takes;
};

// An optional value is only ever given after "=", as GNU tools take one.
constexpr OptionSpec kOptions[] = {
    {OptionId::IgnoreCase, 'i', "ignore-case", Takes::Nothing},
    {OptionId::Pattern, 'e', "regexp", Takes::Value},
    {OptionId::Recursive, 'r', "recursive", Takes::Nothing},
    {OptionId::BinaryFiles, 'a', "text", Takes::Nothing},
    {OptionId::InPlace, 'I', "in-place", Takes::Nothing},
    {OptionId::ToUtf8, 0, "to-utf8", Takes::Nothing},
    {OptionId::CaseConversion, 0, "case-conversion", Takes::Nothing},
    {OptionId::Color, 0, "color", Takes::OptionalValue},
    {OptionId::Color, 0, "colour", Takes::OptionalValue},
    {OptionId::Threads, 'j', "threads", Takes::Value},
    {OptionId::Help, 'h', "help", Takes::Nothing},
    {OptionId::Version, 0, "version", Takes::Nothing},
};

const OptionSpec* shortOption(char name)
{
    for (const OptionSpec& option : kOptions) {
        if (option.shortName == name)
            return &option;
    }
    return nullptr;
}

const OptionSpec* longOption(QByteArrayView name)
{
    for (const OptionSpec& option : kOptions) {
        if (name == option.longName)
            return &option;
    }
    return nullptr;
}

std::optional<CliRequest::Command> commandNamed(QByteArrayView name)
{
    if (name == "count")
        return CliRequest::Command::Count;
    if (name == "matches")
        return CliRequest::Command::Matches;
    if (name == "lines")
        return CliRequest::Command::Lines;
    if (name == "replace")
        return CliRequest::Command::Replace;
    if (name == "test")
        return CliRequest::Command::Test;
    return std::nullopt;
}

std::optional<CliRequest::Color> colorNamed(QByteArrayView name)
{
    if (name == "auto")
        return CliRequest::Color::Auto;
    if (name == "always")
        return CliRequest::Color::Always;
    if (name == "never")
        return CliRequest::Color::Never;
    return std::nullopt;
}

QString shown(QByteArrayView argument)
{
    return QString::fromUtf8(argument);
}

/// Collects options and operands in the order given; the rules between them come after.
class Parser {
public:
    explicit Parser(const QList<QByteArray>& arguments) : mArguments(arguments) {}

    Result<CliRequest, UsageError> parse();

private:
    std::optional<UsageError> takeLongOption(const QByteArray& argument, qsizetype& next);
    std::optional<UsageError> takeShortOptions(const QByteArray& argument, qsizetype& next);
    std::optional<UsageError> apply(const OptionSpec& option, const std::optional<QByteArray>& value);
    Result<CliRequest, UsageError> finish();
    /// The test command: test-case files alone, which hold the pattern and its options.
    Result<CliRequest, UsageError> finishTest();

    const QList<QByteArray>& mArguments;
    CliRequest mRequest;
    std::optional<CliRequest::Command> mInfo;
    std::optional<QByteArray> mPatternOption;
    QList<QByteArray> mOperands;
};

Result<CliRequest, UsageError> Parser::parse()
{
    bool optionsEnded = false;
    for (qsizetype next = 0; next < mArguments.size();) {
        const QByteArray& argument = mArguments[next++];
        std::optional<UsageError> error;
        if (optionsEnded || argument == "-" || !argument.startsWith('-'))
            mOperands << argument;
        else if (argument == "--")
            optionsEnded = true;
        else if (argument.startsWith("--"))
            error = takeLongOption(argument, next);
        else
            error = takeShortOptions(argument, next);
        if (error)
            return *error;
        if (mInfo) {
            mRequest.command = *mInfo;
            return mRequest;
        }
    }
    return finish();
}

std::optional<UsageError> Parser::takeLongOption(const QByteArray& argument, qsizetype& next)
{
    const qsizetype equals = argument.indexOf('=');
    const QByteArray name = argument.mid(2, equals < 0 ? -1 : equals - 2);
    const OptionSpec* option = longOption(name);
    if (!option)
        return UsageError{QStringLiteral("unknown option '--%1'").arg(shown(name))};
    std::optional<QByteArray> value;
    if (equals >= 0)
        value = argument.mid(equals + 1);
    if (option->takes == Takes::Nothing && value)
        return UsageError{QStringLiteral("option '--%1' takes no value").arg(shown(name))};
    if (option->takes == Takes::Value && !value) {
        if (next == mArguments.size())
            return UsageError{QStringLiteral("option '--%1' needs a value").arg(shown(name))};
        value = mArguments[next++];
    }
    return apply(*option, value);
}

std::optional<UsageError> Parser::takeShortOptions(const QByteArray& argument, qsizetype& next)
{
    for (qsizetype i = 1; i < argument.size(); ++i) {
        const OptionSpec* option = shortOption(argument[i]);
        if (!option) {
            return UsageError{QStringLiteral("unknown option '-%1' (give a pattern that starts with \"-\" "
                                             "with -e, or after \"--\")")
                                  .arg(shown(argument.mid(i, 1)))};
        }
        if (option->takes != Takes::Value) {
            if (const std::optional<UsageError> error = apply(*option, std::nullopt))
                return error;
            continue;
        }
        // The rest of the group is the value (-efoo); an option that ends it takes the next argument.
        if (i + 1 < argument.size())
            return apply(*option, argument.mid(i + 1));
        if (next == mArguments.size())
            return UsageError{QStringLiteral("option '-%1' needs a value").arg(QLatin1Char(option->shortName))};
        return apply(*option, mArguments[next++]);
    }
    return std::nullopt;
}

std::optional<UsageError> Parser::apply(const OptionSpec& option, const std::optional<QByteArray>& value)
{
    switch (option.id) {
    case OptionId::IgnoreCase: mRequest.ignoreCase = true; break;
    case OptionId::Recursive: mRequest.recursive = true; break;
    case OptionId::BinaryFiles: mRequest.binaryFiles = true; break;
    case OptionId::InPlace: mRequest.inPlace = true; break;
    case OptionId::ToUtf8: mRequest.toUtf8 = true; break;
    case OptionId::CaseConversion: mRequest.caseConversion = true; break;
    case OptionId::Help: mInfo = CliRequest::Command::Help; break;
    case OptionId::Version: mInfo = CliRequest::Command::Version; break;
    case OptionId::Pattern:
        if (mPatternOption)
            return UsageError{QStringLiteral("-e may be given only once")};
        mPatternOption = value;
        break;
    case OptionId::Threads: {
        bool ok = false;
        const int threads = value->toInt(&ok);
        if (!ok || threads < 1 || threads > kMostThreads)
            return UsageError{QStringLiteral("invalid value '%1' for --threads (a number from 1 to %2)")
                                  .arg(shown(*value))
                                  .arg(kMostThreads)};
        mRequest.threads = threads;
        break;
    }
    case OptionId::Color: {
        const std::optional<CliRequest::Color> color = value ? colorNamed(*value) : CliRequest::Color::Auto;
        if (!color) {
            return UsageError{QStringLiteral("invalid value '%1' for --%2 (auto, always or never)")
                                  .arg(shown(*value), QLatin1String(option.longName))};
        }
        mRequest.color = *color;
        break;
    }
    }
    return std::nullopt;
}

std::optional<QString> strictUtf8(const QByteArray& bytes)
{
    if (!QByteArrayView(bytes).isValidUtf8())
        return std::nullopt;
    return QString::fromUtf8(bytes);
}

Result<CliRequest, UsageError> Parser::finish()
{
    if (mOperands.isEmpty())
        return UsageError{QStringLiteral("no command given")};
    const QByteArray commandName = mOperands.takeFirst();
    const std::optional<CliRequest::Command> command = commandNamed(commandName);
    if (!command)
        return UsageError{QStringLiteral("unknown command '%1'").arg(shown(commandName))};
    mRequest.command = *command;
    if (*command == CliRequest::Command::Test)
        return finishTest();
    const bool replace = *command == CliRequest::Command::Replace;

    if (!mPatternOption && mOperands.isEmpty())
        return UsageError{QStringLiteral("missing PATTERN")};
    const QByteArray pattern = mPatternOption ? *mPatternOption : mOperands.takeFirst();
    if (replace && mOperands.isEmpty())
        return UsageError{QStringLiteral("missing REPLACEMENT")};
    const QByteArray replacement = replace ? mOperands.takeFirst() : QByteArray();
    mRequest.files = mOperands;

    // Invalid bytes would decode to U+FFFD and silently match something else.
    const std::optional<QString> patternText = strictUtf8(pattern);
    if (!patternText)
        return UsageError{QStringLiteral("the pattern is not valid UTF-8")};
    mRequest.pattern = *patternText;
    const std::optional<QString> replacementText = strictUtf8(replacement);
    if (!replacementText)
        return UsageError{QStringLiteral("the replacement is not valid UTF-8")};
    mRequest.replacement = *replacementText;

    if (mRequest.inPlace && !replace)
        return UsageError{QStringLiteral("--in-place is only for replace")};
    if (mRequest.toUtf8 && !replace)
        return UsageError{QStringLiteral("--to-utf8 is only for replace")};
    if (mRequest.caseConversion && !replace)
        return UsageError{QStringLiteral("--case-conversion is only for replace")};
    if (replace && !mRequest.inPlace && (mRequest.files.size() > 1 || mRequest.recursive))
        return UsageError{QStringLiteral("replace with several files or -r needs --in-place (-I)")};
    if (mRequest.inPlace && mRequest.files.isEmpty() && !mRequest.recursive)
        return UsageError{QStringLiteral("--in-place needs a FILE to write back")};
    if (mRequest.inPlace && mRequest.files.contains("-"))
        return UsageError{QStringLiteral("standard input cannot be replaced in place")};
    return mRequest;
}

Result<CliRequest, UsageError> Parser::finishTest()
{
    if (mPatternOption || mRequest.ignoreCase || mRequest.recursive || mRequest.binaryFiles || mRequest.inPlace
        || mRequest.toUtf8 || mRequest.caseConversion)
        return UsageError{QStringLiteral("test takes only test-case FILEs, which hold the pattern and its options")};
    if (mOperands.isEmpty())
        return UsageError{QStringLiteral("missing FILE")};
    mRequest.files = mOperands;
    return mRequest;
}

} // namespace

QString helpText()
{
    return QStringLiteral(
        "Usage: sifta-cli COMMAND [OPTION]... PATTERN [FILE]...\n"
        "       sifta-cli replace [OPTION]... PATTERN REPLACEMENT [FILE]...\n"
        "       sifta-cli test FILE...\n"
        "Searches each FILE (standard input without one, or for \"-\") with a VBScript/JScript\n"
        "regular expression, every match found and ^ and $ matching at each line break.\n"
        "\n"
        "Commands:\n"
        "  count    the number of matches; FILE:N for each file when there are several\n"
        "  matches  one line of JSON for each match\n"
        "  lines    each line that holds a match, after its line number\n"
        "  replace  the input with every match replaced by REPLACEMENT ($1, $&, ...)\n"
        "  test     check the test cases of each test-case FILE (saved by Sifta's Test Cases\n"
        "           window): one line for each case that fails\n"
        "\n"
        "Options, anywhere before \"--\":\n"
        "  -i, --ignore-case     ignore case\n"
        "  -e, --regexp=PATTERN  the pattern, also one that starts with \"-\"\n"
        "  -r, --recursive       search the files in each FILE that is a folder\n"
        "                        (the current folder without a FILE)\n"
        "  -a, --text            also search files in folders that look binary\n"
        "  -j, --threads=N       search N files at once (default: one per processor core)\n"
        "  -I, --in-place        replace: write each FILE back instead of to standard output\n"
        "      --to-utf8         replace: write a result that the input's encoding cannot store\n"
        "                        as UTF-8 instead of refusing it\n"
        "      --case-conversion replace: \\U and \\L upper- and lower-case what follows until \\E,\n"
        "                        \\u and \\l the next character; \\\\ is one backslash\n"
        "      --color[=WHEN]    colour the matches of lines: auto (the default), always or never\n"
        "  -h, --help            show this help\n"
        "      --version         show the version\n"
        "  --                    end the options\n"
        "\n"
        "Encodings: a file that starts with a UTF-16 or UTF-32 byte-order mark is read in that\n"
        "form; otherwise as UTF-8, where each byte that is not UTF-8 stands as the character\n"
        "U+EF80 to U+EFFF (byte 0x80 + n as U+EF80 + n) and is written back as that byte, as\n"
        "long as such bytes are fewer than the characters of several bytes; otherwise as\n"
        "Windows-1252. lines writes UTF-16 and UTF-32 text as UTF-8; replace keeps the\n"
        "input's encoding.\n"
        "\n"
        "Exit status: 0 a match was found (replace: done; test: every case passes), 1 no match\n"
        "(test: some case fails), 2 an error.\n");
}

QString versionText()
{
    return QStringLiteral("sifta-cli " SIFTA_VERSION "\n");
}

Result<CliRequest, UsageError> parseCommandLine(const QList<QByteArray>& arguments)
{
    return Parser(arguments).parse();
}
