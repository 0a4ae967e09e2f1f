#include "window/SyntaxText.h"

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
    {"Literal Characters", 7,
     {{nullptr, "All characters are literal except [ \\ ^ $ . | ? * + ( )"},
      {"\\", "Treat next special char as literal"}}},
    {"Character Classes/Sets", 7,
     {{"[xyz]", "Any char of the char set. Cannot contain submatches or back references but "
                "can have ASCII codes."},
      {"[^xyz]", "Any char except those of the char set"},
      {"[a-z]", "Any char in the specified range (if - is the first char, it is literal)"},
      {"[^a-z]", "Any char except those in the specified range"},
      {".", "Match any single char except newline. Use [\\s\\S] to match _any_ single char"},
      {"\\d", "Digit character. Equivalent to [0-9]"},
      {"\\f", "Form-feed character"},
      {"\\r", "Carriage return character (usually \\r\\n)"},
      {"\\n", "Newline (linefeed) character"},
      {"\\s", "Any white space including space, tab, form-feed, etc. Equivalent to "
              "[ \\f\\n\\r\\t\\v] "},
      {"\\S", "Any nonwhite space character. Equivalent to [^ \\f\\n\\r\\t\\v]"},
      {"\\t", "Tab character"},
      {"\\v", "Vertical tab character"},
      {"\\w", "Any word character including underscore. Equivalent to [A-Za-z0-9_]"},
      {"\\W", "Matches any non-word character. Equivalent to [^A-Za-z0-9_]"},
      {"\\oct", "Matches oct, where oct is an ASCII code (0-256) in octal"}}},
    {"Anchors", 7,
     {{"^", "Start of document or line"},
      {"$", "End of document or line"},
      {"\\b", "Word boundary (beginning or end of an alphanumeric sequence)"},
      {"\\B", "Matches between chars not at a word boundary"}}},
    {"Alternation", 7,
     {{"x|y", "Matches x or y. Use (x|y) to avoid conflicts with remaining expression"}}},
    {"Repetition", 7,
     {{"?", "Preceeding token is optional"},
      {nullptr, "? following any repetition operator makes it lazy (match least number of "
                "times possible)"},
      {"*", "Match preceeding char >= 0 times"},
      {"+", "Match preceeding char >= 1 times"},
      {"{n}", "Matches n times"},
      {"{n,}", "Matches >= n times"},
      {"{n,m}", "Matches n to m times"}}},
    {"Grouping & Backreferences", 8,
     {{"(pat)", "Matches pattern and remembers as submatch. () may be nested"},
      {"(?:pat)", "Matches pattern but doesn't save as submatch"},
      {"\\num", "Backreference matches submatch number num (1 to number of submatches)"}}},
    {"Lookahead", 8,
     {{"(?=pat)", "Look ahead for a match to the pattern but do not include it in the result"},
      {"(?!pat)", "Look ahead for no match to the pattern"}}},
    {"Replace All Syntax", 7,
     {{"$n", "Value of submatch n (1-99)"},
      {"$&", "Entire match"},
      {"$`", "Subject text to the left of the match"},
      {"$'", "Subject text to the right of the match"},
      {"$_", "Entire subject string"},
      {"$+", "Highest numbered subgroup"},
      {"$$", "Literal $"},
      {"$", "Literal $"}}},
};

} // namespace

QString syntaxText()
{
    QStringList lines;
    for (const Section& section : kSections) {
        if (!lines.isEmpty())
            lines.append(QString());
        const QString title = QString::fromLatin1(section.title);
        lines.append(title);
        lines.append(QString(title.size(), QLatin1Char('-')));
        for (const Row& row : section.rows) {
            const QString token = row.token ? QString::fromLatin1(row.token) : QString();
            lines.append(token.leftJustified(section.tokenWidth)
                         + QString::fromLatin1(row.explanation));
        }
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}
