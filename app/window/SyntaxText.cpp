#include "window/SyntaxText.h"

#include <QCoreApplication>
#include <QStringList>

#include <initializer_list>

namespace {

struct Row {
    const char* token; // nullptr: the row continues the explanation of the row above
    const char* explanation;
};

struct Section {
    const char* title;
    int tokenWidth;
    std::initializer_list<Row> rows;
};

const std::initializer_list<Section> kSections = {
    {QT_TRANSLATE_NOOP("SyntaxText", "Literal Characters"), 7,
     {{nullptr, QT_TRANSLATE_NOOP("SyntaxText", "All characters are literal except [ \\ ^ $ . | ? * + ( )")},
      {"\\", QT_TRANSLATE_NOOP("SyntaxText", "Treat next special char as literal")}}},
    {QT_TRANSLATE_NOOP("SyntaxText", "Character Classes/Sets"), 7,
     {{"[xyz]", QT_TRANSLATE_NOOP("SyntaxText", "Any char of the char set. Cannot contain submatches or back references but "
                                                "can have ASCII codes.")},
      {"[^xyz]", QT_TRANSLATE_NOOP("SyntaxText", "Any char except those of the char set")},
      {"[a-z]", QT_TRANSLATE_NOOP("SyntaxText", "Any char in the specified range (if - is the first char, it is literal)")},
      {"[^a-z]", QT_TRANSLATE_NOOP("SyntaxText", "Any char except those in the specified range")},
      {".", QT_TRANSLATE_NOOP("SyntaxText", "Match any single char except newline. Use [\\s\\S] to match _any_ single char")},
      {"\\d", QT_TRANSLATE_NOOP("SyntaxText", "Digit character. Equivalent to [0-9]")},
      {"\\f", QT_TRANSLATE_NOOP("SyntaxText", "Form-feed character")},
      {"\\r", QT_TRANSLATE_NOOP("SyntaxText", "Carriage return character (usually \\r\\n)")},
      {"\\n", QT_TRANSLATE_NOOP("SyntaxText", "Newline (linefeed) character")},
      {"\\s", QT_TRANSLATE_NOOP("SyntaxText", "Any white space including space, tab, form-feed, etc. Equivalent to "
                                              "[ \\f\\n\\r\\t\\v] ")},
      {"\\S", QT_TRANSLATE_NOOP("SyntaxText", "Any nonwhite space character. Equivalent to [^ \\f\\n\\r\\t\\v]")},
      {"\\t", QT_TRANSLATE_NOOP("SyntaxText", "Tab character")},
      {"\\v", QT_TRANSLATE_NOOP("SyntaxText", "Vertical tab character")},
      {"\\w", QT_TRANSLATE_NOOP("SyntaxText", "Any word character including underscore. Equivalent to [A-Za-z0-9_]")},
      {"\\W", QT_TRANSLATE_NOOP("SyntaxText", "Matches any non-word character. Equivalent to [^A-Za-z0-9_]")},
      {"\\oct", QT_TRANSLATE_NOOP("SyntaxText", "Matches oct, where oct is an ASCII code (0-256) in octal")}}},
    {QT_TRANSLATE_NOOP("SyntaxText", "Anchors"), 7,
     {{"^", QT_TRANSLATE_NOOP("SyntaxText", "Start of document or line")},
      {"$", QT_TRANSLATE_NOOP("SyntaxText", "End of document or line")},
      {"\\b", QT_TRANSLATE_NOOP("SyntaxText", "Word boundary (beginning or end of an alphanumeric sequence)")},
      {"\\B", QT_TRANSLATE_NOOP("SyntaxText", "Matches between chars not at a word boundary")}}},
    {QT_TRANSLATE_NOOP("SyntaxText", "Alternation"), 7,
     {{"x|y", QT_TRANSLATE_NOOP("SyntaxText", "Matches x or y. Use (x|y) to avoid conflicts with remaining expression")}}},
    {QT_TRANSLATE_NOOP("SyntaxText", "Repetition"), 7,
     {{"?", QT_TRANSLATE_NOOP("SyntaxText", "Preceeding token is optional")},
      {nullptr, QT_TRANSLATE_NOOP("SyntaxText", "? following any repetition operator makes it lazy (match least number of "
                "times possible)")},
      {"*", QT_TRANSLATE_NOOP("SyntaxText", "Match preceeding char >= 0 times")},
      {"+", QT_TRANSLATE_NOOP("SyntaxText", "Match preceeding char >= 1 times")},
      {"{n}", QT_TRANSLATE_NOOP("SyntaxText", "Matches n times")},
      {"{n,}", QT_TRANSLATE_NOOP("SyntaxText", "Matches >= n times")},
      {"{n,m}", QT_TRANSLATE_NOOP("SyntaxText", "Matches n to m times")}}},
    {QT_TRANSLATE_NOOP("SyntaxText", "Grouping & Backreferences"), 8,
     {{"(pat)", QT_TRANSLATE_NOOP("SyntaxText", "Matches pattern and remembers as submatch. () may be nested")},
      {"(?:pat)", QT_TRANSLATE_NOOP("SyntaxText", "Matches pattern but doesn't save as submatch")},
      {"\\num", QT_TRANSLATE_NOOP("SyntaxText", "Backreference matches submatch number num (1 to number of submatches)")}}},
    {QT_TRANSLATE_NOOP("SyntaxText", "Lookahead"), 8,
     {{"(?=pat)", QT_TRANSLATE_NOOP("SyntaxText", "Look ahead for a match to the pattern but do not include it in the result")},
      {"(?!pat)", QT_TRANSLATE_NOOP("SyntaxText", "Look ahead for no match to the pattern")}}},
    {QT_TRANSLATE_NOOP("SyntaxText", "Replace All Syntax"), 7,
     {{"$n", QT_TRANSLATE_NOOP("SyntaxText", "Value of submatch n (1-99)")},
      {"$&", QT_TRANSLATE_NOOP("SyntaxText", "Entire match")},
      {"$`", QT_TRANSLATE_NOOP("SyntaxText", "Subject text to the left of the match")},
      {"$'", QT_TRANSLATE_NOOP("SyntaxText", "Subject text to the right of the match")},
      {"$_", QT_TRANSLATE_NOOP("SyntaxText", "Entire subject string")},
      {"$+", QT_TRANSLATE_NOOP("SyntaxText", "Highest numbered subgroup")},
      {"$$", QT_TRANSLATE_NOOP("SyntaxText", "Literal $")},
      {"$", QT_TRANSLATE_NOOP("SyntaxText", "Literal $")}}},
};

} // namespace

QString syntaxText()
{
    QStringList lines;
    for (const Section& section : kSections) {
        if (!lines.isEmpty())
            lines.append(QString());
        const QString title = QCoreApplication::translate("SyntaxText", section.title);
        lines.append(title);
        lines.append(QString(title.size(), QLatin1Char('-')));
        for (const Row& row : section.rows) {
            const QString token = row.token ? QString::fromLatin1(row.token) : QString();
            lines.append(token.leftJustified(section.tokenWidth)
                         + QCoreApplication::translate("SyntaxText", row.explanation));
        }
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}
