#include "regex/PatternTranslator.h"
#include "regex/RegExp.h"
#include "TestText.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <limits>
#include <random>
#include <thread>

namespace {

/// "index:value(group,group)" per match, separated by blanks; "E<number>" for an error.
QString describe(const RegExpResult<MatchCollection>& result)
{
    if (!result)
        return u'E' + QString::number(result.error().Number);
    const MatchCollection& matches = result.value();
    QStringList parts;
    for (qsizetype i = 0; i < matches.Count(); ++i) {
        const Match match = matches.Item(i);
        Q_ASSERT(match.Length() == match.Value().size());
        QString part = QString::number(match.FirstIndex()) + u':' + match.Value();
        const SubMatches groups = match.SubMatches();
        if (groups.Count() > 0) {
            QStringList values;
            for (int j = 0; j < groups.Count(); ++j)
                values << groups.Item(j);
            part += u'(' + values.join(u',') + u')';
        }
        parts << part;
    }
    return parts.join(u' ');
}

RegExp make(const QString& pattern, const QString& flags)
{
    RegExp re(pattern);
    re.setGlobal(flags.contains(u'g'));
    re.setIgnoreCase(flags.contains(u'i'));
    re.setMultiline(flags.contains(u'm'));
    return re;
}

} // namespace

class tst_RegExp : public QObject {
    Q_OBJECT

private slots:
    void execute_data();
    void execute();
    void patternErrors_data();
    void patternErrors();
    void errorDescriptions();
    void repeatCountBeyondEngineLimit();
    void capturesKeptFromEarlierRepetition();
    void matchPositionsStayInText();
    void runawayPatterns_data();
    void runawayPatterns();
    void deepButLinearPattern();
    void cancelFlag();
    void wholeSearchStaysWithinItsBudget_data();
    void wholeSearchStaysWithinItsBudget();
    void repeatsThatMeetSpendTheBudget_data();
    void repeatsThatMeetSpendTheBudget();
    void onlyRepeatsThatGoOverAgainAreMetered_data();
    void onlyRepeatsThatGoOverAgainAreMetered();
    void longRepetitionGetsTheStackItNeeds();
    void repetitionsBeyondTheMemoryLimit();
    void cancelStopsALongSearchForOneMatch();
    void compilesOnlyWhenPatternOrOptionsChange();
    void copiesSearchIndependently();
    void plainAlternativesAgreeWithGroupedOnes();
    void countMatchesAgreesWithExecute_data();
    void countMatchesAgreesWithExecute();
    void longLiteralPatterns_data();
    void longLiteralPatterns();
    void wordListsAgreeWithGroupedOnes();
};

void tst_RegExp::execute_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty pattern steps one code unit") << s(u"") << "g" << s(u"test") << s(u"0: 1: 2: 3: 4:");
    QTest::newRow("empty alternative wins over later one") << s(u"x*|b") << "g" << s(u"ab") << s(u"0: 1: 2:");
    QTest::newRow("without Global only the first match") << s(u"a") << "" << s(u"aaa") << s(u"0:a");
    QTest::newRow("star matches empty before and after a run") << s(u"a*") << "g" << s(u"baaa") << s(u"0: 1:aaa 4:");
    QTest::newRow("offsets count surrogate pairs as two") << s(u"x") << "g" << s(u"\xd83d\xde00x\xd83d\xde00x") << s(u"2:x 5:x");
    QTest::newRow("dot matches each surrogate code unit") << s(u"\\ud83d.") << "g" << s(u"\xd83d\xde00") << s(u"0:\xd83d\xde00");
    QTest::newRow("CR LF counts two") << s(u"b") << "g" << s(u"a\r\nb") << s(u"3:b");
    QTest::newRow("lazy exact quantifier") << s(u"a{2}\?") << "g" << s(u"aaa") << s(u"0:aa");
    QTest::newRow("lazy range quantifier") << s(u"a{2,3}\?") << "g" << s(u"aaaaa") << s(u"0:aa 2:aa");
    QTest::newRow("lazy question mark") << s(u"a\?\?b") << "g" << s(u"ab") << s(u"0:ab");
    QTest::newRow("open-ended range") << s(u"a{2,}") << "g" << s(u"a aa aaa") << s(u"2:aa 5:aaa");
    QTest::newRow("brace without number is literal") << s(u"a{") << "g" << s(u"a{") << s(u"0:a{");
    QTest::newRow("brace with letter is literal") << s(u"a{x}") << "g" << s(u"a{x}") << s(u"0:a{x}");
    QTest::newRow("lone brace is literal") << s(u"{") << "g" << s(u"{") << s(u"0:{");
    QTest::newRow("brace with missing minimum is literal") << s(u"a{,5}") << "g" << s(u"a{,5}") << s(u"0:a{,5}");
    QTest::newRow("closing brace is literal") << s(u"}") << "g" << s(u"}") << s(u"0:}");
    QTest::newRow("closing bracket is literal") << s(u"]") << "g" << s(u"]") << s(u"0:]");
    QTest::newRow("bracket first in class is a member") << s(u"[]a]") << "g" << s(u"a]b") << s(u"0:a 1:]");
    QTest::newRow("bracket first in negated class is a member") << s(u"[^]a]") << "g" << s(u"a]b") << s(u"2:b");
    QTest::newRow("repeated lookahead") << s(u"(\?=a)*b") << "g" << s(u"ab") << s(u"1:b");
    QTest::newRow("lookahead") << s(u"a(\?=b)") << "g" << s(u"abac") << s(u"0:a");
    QTest::newRow("negative lookahead") << s(u"a(\?!b)") << "g" << s(u"abac") << s(u"2:a");
    QTest::newRow("alternation") << s(u"cat|dog") << "g" << s(u"dog cat") << s(u"0:dog 4:cat");
    QTest::newRow("non-capturing group") << s(u"(\?:ab)+") << "g" << s(u"ababx") << s(u"0:abab");
    QTest::newRow("vertical tab escape") << s(u"\\v") << "g" << s(u"a\x000b" u"b") << s(u"1:\x000b");
    QTest::newRow("control letter") << s(u"\\cJ") << "g" << s(u"a\nb") << s(u"1:\n");
    QTest::newRow("control letter lower case") << s(u"\\cj") << "g" << s(u"a\nb") << s(u"1:\n");
    QTest::newRow("control with digit is literal") << s(u"\\c1") << "g" << s(u"\\c1") << s(u"0:\\c1");
    QTest::newRow("control at end is literal") << s(u"\\c") << "g" << s(u"a\\c") << s(u"1:\\c");
    QTest::newRow("hex escape") << s(u"\\x41") << "g" << s(u"BAB") << s(u"1:A");
    QTest::newRow("short hex escape is the letter") << s(u"\\x4") << "g" << s(u"x4") << s(u"0:x4");
    QTest::newRow("hex escape with non-hex digit is the letter") << s(u"\\x4g") << "g" << s(u"x4g") << s(u"0:x4g");
    QTest::newRow("unicode escape") << s(u"\\u00e9") << "g" << s(u"\x00e9") << s(u"0:\x00e9");
    QTest::newRow("short unicode escape is the letter") << s(u"\\u12") << "g" << s(u"u12") << s(u"0:u12");
    QTest::newRow("NUL escape") << s(u"\\0") << "g" << s(u"a\x0000" u"b") << s(u"1:\x0000");
    QTest::newRow("octal escape") << s(u"\\012") << "g" << s(u"a\nb") << s(u"1:\n");
    QTest::newRow("NUL followed by 8") << s(u"\\08") << "g" << s(u"\x0000" u"8") << s(u"0:\x0000" u"8");
    QTest::newRow("eight is the digit") << s(u"\\8") << "g" << s(u"8") << s(u"0:8");
    QTest::newRow("nine is the digit") << s(u"\\9") << "g" << s(u"9") << s(u"0:9");
    QTest::newRow("octal above groups then digit") << s(u"\\18") << "g" << s(u"\x0001" u"8") << s(u"0:\x0001" u"8");
    QTest::newRow("octal stops at 377") << s(u"\\400") << "g" << s(u" 0") << s(u"0: 0");
    QTest::newRow("octal 377") << s(u"\\377") << "g" << s(u"\x00ff") << s(u"0:\x00ff");
    QTest::newRow("identity escape of letter") << s(u"\\q") << "g" << s(u"q") << s(u"0:q");
    QTest::newRow("identity escape of slash") << s(u"\\/") << "g" << s(u"a/b") << s(u"1:/");
    QTest::newRow("identity escape of k") << s(u"\\k") << "g" << s(u"k") << s(u"0:k");
    QTest::newRow("escaped special characters") << s(u"\\.\\*\\+\\\?\\(\\)\\[\\]\\{\\}\\|\\^\\$\\\\") << "g" << s(u".*+\?()[]{}|^$\\") << s(u"0:.*+\?()[]{}|^$\\");
    QTest::newRow("back-reference") << s(u"(a)\\1") << "g" << s(u"aaa") << s(u"0:aa(a)");
    QTest::newRow("forward reference matches empty") << s(u"\\1(a)") << "g" << s(u"a") << s(u"0:a(a)");
    QTest::newRow("reference to group that took no part") << s(u"(a)|\\1b") << "g" << s(u"b") << s(u"0:b()");
    QTest::newRow("reference inside its own group") << s(u"(a\\1)") << "g" << s(u"aa") << s(u"0:a(a) 1:a(a)");
    QTest::newRow("reference above group count is octal") << s(u"(a)\\2") << "g" << s(u"a\x0002") << s(u"0:a\x0002(a)");
    QTest::newRow("two-digit back-reference") << s(u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\\10") << "g" << s(u"abcdefghijj") << s(u"0:abcdefghijj(a,b,c,d,e,f,g,h,i,j)");
    QTest::newRow("two digits above group count are octal") << s(u"(a)\\10") << "g" << s(u"a\x0008") << s(u"0:a\x0008(a)");
    QTest::newRow("reference to unset group matches empty") << s(u"(\?:(a)|b)\\1c") << "g" << s(u"bc") << s(u"0:bc()");
    QTest::newRow("backspace in class") << s(u"[\\b]") << "g" << s(u"a\x0008" u"b") << s(u"1:\x0008");
    QTest::newRow("B in class is the letter") << s(u"[\\B]") << "g" << s(u"aB") << s(u"1:B");
    QTest::newRow("control digit in class") << s(u"[\\c1]") << "g" << s(u"\x0011") << s(u"0:\x0011");
    QTest::newRow("control underscore in class") << s(u"[\\c_]") << "g" << s(u"\x001f") << s(u"0:\x001f");
    QTest::newRow("control other in class is literal") << s(u"[\\c*]") << "g" << s(u"\\c*") << s(u"0:\\ 1:c 2:*");
    QTest::newRow("class escape before hyphen") << s(u"[\\d-z]") << "g" << s(u"-5z") << s(u"0:- 1:5 2:z");
    QTest::newRow("trailing hyphen") << s(u"[a-]") << "g" << s(u"-a") << s(u"0:- 1:a");
    QTest::newRow("leading hyphen") << s(u"[-a]") << "g" << s(u"-a") << s(u"0:- 1:a");
    QTest::newRow("octal in class") << s(u"[\\1]") << "g" << s(u"\x0001") << s(u"0:\x0001");
    QTest::newRow("eight in class") << s(u"[\\8]") << "g" << s(u"8") << s(u"0:8");
    QTest::newRow("hex range in class") << s(u"[\\x41-\\x43]") << "g" << s(u"ABCD") << s(u"0:A 1:B 2:C");
    QTest::newRow("negated class with LF") << s(u"[^\\n]") << "g" << s(u"a\nb") << s(u"0:a 2:b");
    QTest::newRow("digit is ASCII only") << s(u"\\d") << "g" << s(u"1\x0663") << s(u"0:1");
    QTest::newRow("word is ASCII only") << s(u"\\w") << "g" << s(u"a\x00e9_1") << s(u"0:a 2:_ 3:1");
    QTest::newRow("non-word") << s(u"\\W") << "g" << s(u"a\x00e9_") << s(u"1:\x00e9");
    QTest::newRow("space is exactly six characters") << s(u"\\s") << "g" << s(u" \t\r\n\x000b\x000c\x00a0\x2028") << s(u"0:  1:\t 2:\r 3:\n 4:\x000b 5:\f");
    QTest::newRow("non-space") << s(u"\\S") << "g" << s(u" \x00a0") << s(u"1:\x00a0");
    QTest::newRow("boundary before non-ASCII letter") << s(u"\\b") << "g" << s(u"\x00e9" u"a\x00e9") << s(u"1: 2:");
    QTest::newRow("non-boundary") << s(u"\\Ba") << "g" << s(u"aa") << s(u"1:a");
    QTest::newRow("case-insensitive e acute") << s(u"\x00e9") << "gi" << s(u"\x00c9") << s(u"0:\x00c9");
    QTest::newRow("case-insensitive zhe") << s(u"\x0436") << "gi" << s(u"\x0416") << s(u"0:\x0416");
    QTest::newRow("case-insensitive range beyond ASCII") << s(u"[\x00e0-\x00ff]") << "gi" << s(u"\x00c9\x0178") << s(u"0:\x00c9 1:\x0178");
    QTest::newRow("case-insensitive negated class") << s(u"[^\x00e9]") << "gi" << s(u"\x00c9" u"a") << s(u"1:a");
    QTest::newRow("k does not match KELVIN SIGN") << s(u"k") << "gi" << s(u"K\x212a") << s(u"0:K");
    QTest::newRow("KELVIN SIGN matches only itself") << s(u"\x212a") << "gi" << s(u"kK\x212a") << s(u"2:\x212a");
    QTest::newRow("s does not match LONG S") << s(u"s") << "gi" << s(u"S\x017f") << s(u"0:S");
    QTest::newRow("case-insensitive back-reference beyond ASCII") << s(u"(\x00e9)\\1") << "gi" << s(u"\x00e9\x00c9") << s(u"0:\x00e9\x00c9(\x00e9)");
    QTest::newRow("case-insensitive back-reference Cyrillic") << s(u"(\x0436)\\1") << "gi" << s(u"\x0436\x0416") << s(u"0:\x0436\x0416(\x0436)");
    QTest::newRow("case-insensitive back-reference ASCII") << s(u"(k)\\1") << "gi" << s(u"kK") << s(u"0:kK(k)");
    QTest::newRow("word stays ASCII under Ignore Case") << s(u"\\w") << "gi" << s(u"\x212a\x017f") << s(u"");
    QTest::newRow("ASCII range skips KELVIN SIGN") << s(u"[a-z]") << "gi" << s(u"\x212aK") << s(u"1:K");
    QTest::newRow("sigma forms fold together") << s(u"\x03c3") << "gi" << s(u"\x03a3\x03c2") << s(u"0:\x03a3 1:\x03c2");
    QTest::newRow("micro sign folds with mu") << s(u"\x00b5") << "gi" << s(u"\x039c\x03bc\x00b5") << s(u"0:\x039c 1:\x03bc 2:\x00b5");
    QTest::newRow("sharp s does not fold with capital sharp s") << s(u"\x00df") << "gi" << s(u"\x1e9e\x00df") << s(u"1:\x00df");
    QTest::newRow("back-reference is case-sensitive without Ignore Case") << s(u"(\x00e9)\\1") << "g" << s(u"\x00e9\x00c9") << s(u"");
    QTest::newRow("case-insensitive ASCII literal") << s(u"hello") << "gi" << s(u"HeLLo hello") << s(u"0:HeLLo 6:hello");
    QTest::newRow("case-insensitive class") << s(u"[a-c]+") << "gi" << s(u"xAbCx") << s(u"1:AbC");
    QTest::newRow("line start with mixed breaks") << s(u"^") << "gm" << s(u"a\r\nb\rc\nd") << s(u"0: 3: 5: 7:");
    QTest::newRow("line end with mixed breaks") << s(u"$") << "gm" << s(u"a\r\nb\rc\nd") << s(u"1: 4: 6: 8:");
    QTest::newRow("empty line between CR LF pairs") << s(u"^$") << "gm" << s(u"a\r\n\r\nb") << s(u"3:");
    QTest::newRow("no phantom line inside CR LF") << s(u"^$") << "gm" << s(u"a\r\nb") << s(u"");
    QTest::newRow("line start on lone CR LF") << s(u"^") << "gm" << s(u"\r\n") << s(u"0: 2:");
    QTest::newRow("line end on lone CR LF") << s(u"$") << "gm" << s(u"\r\n") << s(u"0: 2:");
    QTest::newRow("dot matches neither CR nor LF") << s(u".") << "g" << s(u"a\rb\nc\x2028") << s(u"0:a 2:b 4:c 5:\x2028");
    QTest::newRow("start without Multiline") << s(u"^") << "g" << s(u"a\nb") << s(u"0:");
    QTest::newRow("end without Multiline is the very end") << s(u"$") << "g" << s(u"a\n") << s(u"2:");
    QTest::newRow("end without Multiline after CR LF") << s(u"$") << "g" << s(u"a\r\n") << s(u"3:");
    QTest::newRow("anchored a on each line") << s(u"^a") << "gm" << s(u"a\na\r\na\ra") << s(u"0:a 2:a 5:a 7:a");
    QTest::newRow("a at each line end") << s(u"a$") << "gm" << s(u"a\na\r\na\ra") << s(u"0:a 2:a 5:a 7:a");
    QTest::newRow("whole lines") << s(u"^.*$") << "gm" << s(u"ab\r\ncd") << s(u"0:ab 4:cd");
    QTest::newRow("caret sees text before the start offset") << s(u"^a") << "gm" << s(u"aa") << s(u"0:a");
    QTest::newRow("alternation of groups leaves one unset") << s(u"(a)|(b)") << "g" << s(u"b") << s(u"0:b(,b)");
    QTest::newRow("optional group unset") << s(u"a(b)\?c") << "g" << s(u"ac") << s(u"0:ac()");
    QTest::newRow("class of everything") << s(u"[\\s\\S]+") << "g" << s(u"a\r\n\x00e9") << s(u"0:a\r\n\x00e9");
    QTest::newRow("class of nothing") << s(u"[^\\s\\S]") << "g" << s(u"abc") << s(u"");
    QTest::newRow("repeated negative lookahead") << s(u"(\?!a){2}b") << "g" << s(u"ab") << s(u"1:b");
    QTest::newRow("empty group") << s(u"()") << "g" << s(u"ab") << s(u"0:() 1:() 2:()");
    QTest::newRow("empty last alternative") << s(u"a|") << "g" << s(u"ba") << s(u"0: 1:a 2:");
    QTest::newRow("nested groups numbered by opening parenthesis") << s(u"((a)(b))") << "g" << s(u"ab") << s(u"0:ab(ab,a,b)");
    QTest::newRow("ASCII range skips KELVIN SIGN under Ignore Case") << s(u"[J-L]") << "gi" << s(u"\x212a") << s(u"");
    QTest::newRow("KELVIN SIGN in a range does not match k") << s(u"[\x2100-\x2130]") << "gi" << s(u"k") << s(u"");
    QTest::newRow("Cyrillic repeat under Ignore Case") << s(u"\x0436+") << "gi" << s(u"\x0436\x0416\x0436") << s(u"0:\x0436\x0416\x0436");
    QTest::newRow("control letter in class") << s(u"[\\cA]") << "g" << s(u"\x0001") << s(u"0:\x0001");
    QTest::newRow("case-insensitive reference to unset group") << s(u"(\?:(\x00e9)|x)\\1") << "gi" << s(u"x") << s(u"0:x()");
    QTest::newRow("case-insensitive repeated reference") << s(u"(\x00e9)\\1+") << "gi" << s(u"\x00e9\x00c9\x00e9\x00c9") << s(u"0:\x00e9\x00c9\x00e9\x00c9(\x00e9)");
    QTest::newRow("case-insensitive reference needs the whole group") << s(u"(\x00e9\x00e9)\\1") << "gi" << s(u"\x00e9\x00e9\x00c9") << s(u"");
    QTest::newRow("case-insensitive reference of several letters") << s(u"(\x00e9" u"a\x0436)x\\1") << "gi" << s(u"\x00e9" u"a\x0436x\x00c9" u"A\x0416") << s(u"0:\x00e9" u"a\x0436x\x00c9" u"A\x0416(\x00e9" u"a\x0436)");
    QTest::newRow("lazy star steps through empty matches") << s(u"a*\?") << "g" << s(u"aa") << s(u"0: 1: 2:");
    QTest::newRow("lookahead sees text after the match") << s(u"\\w+(\?=!)") << "g" << s(u"hi! there!") << s(u"0:hi 4:there");
    QTest::newRow("boundary at start offset sees text before") << s(u"\\bb") << "g" << s(u"ab b") << s(u"3:b");
    QTest::newRow("line start after a lone CR") << s(u"^a") << "gm" << s(u"a\ra\r\ra") << s(u"0:a 2:a 5:a");
    QTest::newRow("line start at the very end after LF") << s(u"^") << "gm" << s(u"a\n") << s(u"0: 2:");
    QTest::newRow("line start at the very end after CR") << s(u"^") << "gm" << s(u"a\r") << s(u"0: 2:");
    QTest::newRow("line start at the very end after CR LF") << s(u"^") << "gm" << s(u"a\r\n") << s(u"0: 3:");
    QTest::newRow("empty lines of CR LF pairs only") << s(u"^$") << "gm" << s(u"\r\n\r\n") << s(u"0: 2: 4:");
    QTest::newRow("search resumed between CR and LF finds no line start")
        << s(u"\\r|^") << "gm" << s(u"\r\n") << s(u"0:\r 2:");
    QTest::newRow("line start before CR of a pair") << s(u"^\\r") << "gm" << s(u"\r\n\r\n") << s(u"0:\r 2:\r");
    QTest::newRow("LF of a CR LF pair found by an alternative without CR or LF")
        << s(u"^x|[^a]b") << "gm" << s(u"\r\nb") << s(u"1:\nb");
    QTest::newRow("class without CR or LF matches LF of a pair beside a line start")
        << s(u"^|[^a]") << "gm" << s(u"\r\n") << s(u"0: 1:\n 2:");
    QTest::newRow("dot at line starts skips CR and LF") << s(u"^.") << "gm" << s(u"\r\n\ra") << s(u"3:a");
    QTest::newRow("space at line starts") << s(u"^\\s") << "gm" << s(u" \r\n\t\n") << s(u"0:  3:\t");
    QTest::newRow("line start inside lookahead") << s(u"(\?=^a)\\w") << "gm" << s(u"ba\na\r\na") << s(u"3:a 6:a");
    QTest::newRow("line start inside negative lookahead") << s(u"(\?!^)a") << "gm" << s(u"aa\r\naa") << s(u"1:a 5:a");
    QTest::newRow("line start in one alternative") << s(u"x|^a") << "gm" << s(u"a\r\nxa") << s(u"0:a 3:x");
    QTest::newRow("line start inside repeated group") << s(u"(^a|b)+") << "gm" << s(u"ab\nba") << s(u"0:ab(b) 3:b(b)");
    QTest::newRow("line start in the middle of the pattern") << s(u"a\\r^b") << "gm" << s(u"a\rb a\r\nb") << s(u"0:a\rb");
    QTest::newRow("lookahead before line start") << s(u"(\?=ab)^a") << "gm" << s(u"ab\nab") << s(u"0:a 3:a");
    QTest::newRow("lookahead before optional text and its own first character")
        << s(u"(\?=ab)x\?a") << "g" << s(u"ab") << s(u"0:a");
    QTest::newRow("lookahead before line start under Ignore Case") << s(u"(\?=AB)^a") << "gim" << s(u"ab\rAb") << s(u"0:a 3:A");
    QTest::newRow("line starts under Ignore Case") << s(u"^the") << "gim" << s(u"The\r\nthe\rTHE x the") << s(u"0:The 5:the 9:THE");
    QTest::newRow("line starts with a case-insensitive back-reference")
        << s(u"^(\x00e9)\\1") << "gim" << s(u"\x00e9\x00c9\r\n\x00c9\x00e9x\r\x00e9\x00e9")
        << s(u"0:\x00e9\x00c9(\x00e9) 4:\x00c9\x00e9(\x00c9) 8:\x00e9\x00e9(\x00e9)");
    QTest::newRow("plain alternatives: the earliest place wins") << s(u"stone|apple") << "g" << s(u"an apple, a stone")
                                                               << s(u"3:apple 12:stone");
    QTest::newRow("plain alternatives: the first in order wins at one place") << s(u"abc|abcd") << "g" << s(u"abcdabc")
                                                                              << s(u"0:abc 4:abc");
    QTest::newRow("plain alternatives: a longer one first") << s(u"abcd|abc") << "g" << s(u"abcdabc") << s(u"0:abcd 4:abc");
    QTest::newRow("plain alternatives: overlapping occurrences") << s(u"aba|bab") << "g" << s(u"abababab")
                                                                 << s(u"0:aba 3:bab");
    QTest::newRow("plain alternatives at the very end") << s(u"xyz|uvw") << "g" << s(u"0123456789uvw") << s(u"10:uvw");
    QTest::newRow("plain alternatives beyond ASCII") << s(u"\x00e9t\x00e9|\x0436\x0416\x0436") << "g"
                                                     << s(u"\x0436\x0416\x0436 \x00c9t\x00e9 \x00e9t\x00e9")
                                                     << s(u"0:\x0436\x0416\x0436 8:\x00e9t\x00e9");
    QTest::newRow("plain alternatives are case-sensitive") << s(u"the|and") << "g" << s(u"The AND the") << s(u"8:the");
    QTest::newRow("plain alternatives under Ignore Case") << s(u"the|and") << "gi" << s(u"The AND") << s(u"0:The 4:AND");
    QTest::newRow("plain alternatives with line breaks") << s(u"a\r\nb|a\nb") << "g" << s(u"a\nb a\r\nb") << s(u"0:a\nb 4:a\r\nb");
    QTest::newRow("whole lines holding a word") << s(u"^.*river.*$") << "gm" << s(u"a river\r\nno\rriver b\nx")
                                                << s(u"0:a river 12:river b");
    QTest::newRow("repeated reference to a group that took no part") << s(u"(a)?\\1+b") << "g" << s(u"b") << s(u"0:b()");
    QTest::newRow("lazy repeated reference to a group that took no part") << s(u"(a)?\\1{2,}?b") << "g" << s(u"b") << s(u"0:b()");
    QTest::newRow("repeated reference in the alternative without its group") << s(u"(a)|\\1+") << "g" << s(u"b") << s(u"0:() 1:()");
    QTest::newRow("reference repeated three times on an empty text") << s(u"(x)|\\1{3}") << "g" << s(u"") << s(u"0:()");
    QTest::newRow("reference twice to a group another alternative left out") << s(u"(\?:(x)|y)\\1{2}") << "g" << s(u"xy") << s(u"1:y()");
    QTest::newRow("wide set with one code unit below U+00FF") << s(u"[a\\u0100-\\uffff]") << "g" << s(u"\x0100") << s(u"0:\x0100");
    QTest::newRow("negated set leaving one code unit below U+00FF") << s(u"[^\\0-\\x60b-\\xff]") << "g" << s(u"\x0100") << s(u"0:\x0100");
    QTest::newRow("wide set after a letter") << s(u"x[\\u0100-\\uffffa]") << "g" << s(u"x\x0100") << s(u"0:x\x0100");
    // The JIT failed a repetition where a longer alternative had reached it before.
    QTest::newRow("repetition after a longer alternative that failed") << s(u"(\?:ab|a)x*b") << "g" << s(u"ab") << s(u"0:ab");
    QTest::newRow("repetition after an empty alternative") << s(u"(\?:a|)x*.") << "g" << s(u"a") << s(u"0:a");
    QTest::newRow("repetition after alternatives past the start") << s(u"a(\?:b|)x*b") << "g" << s(u"ab") << s(u"0:ab");
    QTest::newRow("repeated class after alternatives") << s(u"(\?:Mrs|Mr)\\s*s") << "g" << s(u"Mrs") << s(u"0:Mrs");
    QTest::newRow("empty iteration fails past the minimum") << s(u"(\?:|a)*") << "g" << s(u"aaa") << s(u"0:aaa 3:");
    QTest::newRow("lazy body repeated beyond two empty iterations") << s(u"(\?:D\?\?){2,}") << "g" << s(u"D") << s(u"0:D 1:");
    QTest::newRow("optional lookahead that matches empty takes no part") << s(u"(\?=(x))\?") << "g" << s(u"x") << s(u"0:() 1:()");
    QTest::newRow("group of the last non-empty iteration") << s(u"(a|)+") << "g" << s(u"aa") << s(u"0:aa(a) 2:()");
    QTest::newRow("reference to a group of a repeated lazy body") << s(u"(a\?\?)+\\1") << "g" << s(u"aaa") << s(u"0:aaa(a) 3:()");
}

void tst_RegExp::execute()
{
    QFETCH(QString, pattern);
    QFETCH(QString, flags);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    RegExp re = make(pattern, flags);
    QCOMPARE(describe(re.Execute(text)), expected);
    // The interpreter takes over a match when the JIT stack runs out, so it must agree.
    re.setJitEnabled(false);
    QCOMPARE(describe(re.Execute(text)), expected);
}

void tst_RegExp::patternErrors_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("offset");

    QTest::newRow("empty class is unclosed") << s(u"[]") << 5019 << 0;
    QTest::newRow("unclosed class") << s(u"a[bc") << 5019 << 1;
    QTest::newRow("negated empty class is unclosed") << s(u"[^]") << 5019 << 0;
    QTest::newRow("unclosed class ending in hyphen") << s(u"[a-") << 5019 << 0;
    QTest::newRow("unclosed group") << s(u"(") << 5020 << 0;
    QTest::newRow("unclosed group with content") << s(u"x(a") << 5020 << 1;
    QTest::newRow("unclosed non-capturing group") << s(u"(?:a") << 5020 << 0;
    QTest::newRow("unclosed outer group") << s(u"((a)") << 5020 << 0;
    QTest::newRow("unclosed lookahead") << s(u"(?=a") << 5020 << 0;
    QTest::newRow("star with nothing to repeat") << s(u"*a") << 5018 << 0;
    QTest::newRow("plus with nothing to repeat") << s(u"+a") << 5018 << 0;
    QTest::newRow("question mark with nothing to repeat") << s(u"\?a") << 5018 << 0;
    QTest::newRow("double star") << s(u"a**") << 5018 << 2;
    QTest::newRow("double plus") << s(u"a++") << 5018 << 2;
    QTest::newRow("repeated braces") << s(u"a{2}{3}") << 5018 << 4;
    QTest::newRow("lazy then star") << s(u"a*?*") << 5018 << 3;
    QTest::newRow("quantifier after bar") << s(u"a|*") << 5018 << 2;
    QTest::newRow("quantifier at group start") << s(u"(+a)") << 5018 << 1;
    QTest::newRow("brace quantifier with nothing to repeat") << s(u"{1}") << 5018 << 0;
    QTest::newRow("repeated line start") << s(u"^*") << 5018 << 1;
    QTest::newRow("repeated line end") << s(u"$+") << 5018 << 1;
    QTest::newRow("repeated word boundary") << s(u"\\b*") << 5018 << 2;
    QTest::newRow("reversed range") << s(u"[z-a]") << 5021 << 1;
    QTest::newRow("reversed escaped range") << s(u"[\\x42-\\x41]") << 5021 << 1;
    QTest::newRow("closing parenthesis without opening") << s(u"a)") << 5017 << 1;
    QTest::newRow("reversed repeat counts") << s(u"a{3,2}") << 5017 << 1;
    QTest::newRow("backslash at end") << s(u"a\\") << 5017 << 1;
    QTest::newRow("lookbehind") << s(u"(?<=a)b") << 5017 << 0;
    QTest::newRow("negative lookbehind") << s(u"(?<!a)b") << 5017 << 0;
    QTest::newRow("named group") << s(u"(?<n>a)") << 5017 << 0;
    QTest::newRow("Python named group") << s(u"(?P<n>a)") << 5017 << 0;
    QTest::newRow("atomic group") << s(u"(?>a)") << 5017 << 0;
    QTest::newRow("inline flags") << s(u"(?i)a") << 5017 << 0;
    QTest::newRow("recursion") << s(u"(?R)") << 5017 << 0;
    QTest::newRow("group call") << s(u"(a)(?1)") << 5017 << 3;
    QTest::newRow("conditional") << s(u"(a)(\?(1)b|c)") << 5017 << 3;
    QTest::newRow("comment") << s(u"(?#note)") << 5017 << 0;
    QTest::newRow("question mark at end of group opener") << s(u"(?") << 5017 << 0;
    QTest::newRow("verb") << s(u"(*FAIL)") << 5017 << 0;
    QTest::newRow("mark verb") << s(u"a(*:x)") << 5017 << 1;
    QTest::newRow("alphabetic assertion") << s(u"(*atomic:a)") << 5017 << 0;
    QTest::newRow("subject start") << s(u"\\Aa") << 5017 << 0;
    QTest::newRow("subject end z") << s(u"a\\z") << 5017 << 1;
    QTest::newRow("subject end Z") << s(u"a\\Z") << 5017 << 1;
    QTest::newRow("match start G") << s(u"\\Ga") << 5017 << 0;
    QTest::newRow("quoting Q") << s(u"\\Qa") << 5017 << 0;
    QTest::newRow("quoting end E") << s(u"a\\E") << 5017 << 1;
    QTest::newRow("property") << s(u"\\p{L}") << 5017 << 0;
    QTest::newRow("negated property") << s(u"\\P{L}") << 5017 << 0;
    QTest::newRow("property in class") << s(u"[\\p{L}]") << 5017 << 1;
    QTest::newRow("keep out") << s(u"a\\Kb") << 5017 << 1;
    QTest::newRow("any line break R") << s(u"\\R") << 5017 << 0;
    QTest::newRow("horizontal space h") << s(u"\\h") << 5017 << 0;
    QTest::newRow("non-horizontal space H") << s(u"\\H") << 5017 << 0;
    QTest::newRow("non-newline N") << s(u"\\N") << 5017 << 0;
    QTest::newRow("grapheme X") << s(u"\\X") << 5017 << 0;
    QTest::newRow("POSIX class") << s(u"[[:alpha:]]") << 5017 << 1;
    QTest::newRow("negated POSIX class") << s(u"[x[:^digit:]]") << 5017 << 2;
}

void tst_RegExp::patternErrors()
{
    QFETCH(QString, pattern);
    QFETCH(int, number);
    QFETCH(int, offset);
    for (const QString& flags : {u"g"_qs, u"gim"_qs}) {
        const RegExp re = make(pattern, flags);
        const std::optional<RegExpError> error = re.Compile();
        QVERIFY2(error, qPrintable(flags));
        QCOMPARE(error->Number, number);
        QCOMPARE(error->Offset, qsizetype(offset));
        QCOMPARE(error->Description, RegExpError::describe(number));
        const auto result = re.Execute(u"some text"_qs);
        QVERIFY(!result);
        QCOMPARE(result.error().Number, number);
        const auto replaced = re.Replace(u"some text"_qs, u"x"_qs);
        QVERIFY(!replaced);
        QCOMPARE(replaced.error().Number, number);
        QCOMPARE(re.GroupCount(), 0);
    }
}

void tst_RegExp::errorDescriptions()
{
    QCOMPARE(RegExpError::describe(5017), u"Syntax error in regular expression"_qs);
    QCOMPARE(RegExpError::describe(5018), u"Unexpected quantifier"_qs);
    QCOMPARE(RegExpError::describe(5019), u"Expected ']' in regular expression"_qs);
    QCOMPARE(RegExpError::describe(5020), u"Expected ')' in regular expression"_qs);
    QCOMPARE(RegExpError::describe(5021), u"Invalid range in character set"_qs);
    QVERIFY(RegExpError::describe(RegExpError::TooMuchBacktracking).contains(u"backtracks too much"));
    QVERIFY(RegExpError::describe(RegExpError::ResultTooLong).contains(u"too long"));
    const QList<int> numbers{RegExpError::SyntaxError, RegExpError::UnexpectedQuantifier,
                             RegExpError::ExpectedBracket, RegExpError::ExpectedParen,
                             RegExpError::InvalidRange, RegExpError::TooMuchBacktracking,
                             RegExpError::PatternTooComplex, RegExpError::ResultTooLong,
                             RegExpError::Cancelled, RegExpError::TextTooLong,
                             RegExpError::InternalError, RegExpError::TooManyRepetitions};
    QSet<QString> descriptions;
    for (int number : numbers)
        descriptions.insert(RegExpError::describe(number));
    QCOMPARE(descriptions.size(), numbers.size());
}

void tst_RegExp::repeatCountBeyondEngineLimit()
{
    // Valid in the flavour, but PCRE2 caps repeat counts at 65535.
    const RegExp fits = make(u"a{65535}"_qs, u"g"_qs);
    QVERIFY(!fits.Compile());
    const RegExp tooMany = make(u"a{70000}"_qs, u"g"_qs);
    const std::optional<RegExpError> error = tooMany.Compile();
    QVERIFY(error);
    QCOMPARE(error->Number, RegExpError::PatternTooComplex);
    QVERIFY(error->Description.startsWith(RegExpError::describe(RegExpError::PatternTooComplex)));
}

void tst_RegExp::capturesKeptFromEarlierRepetition()
{
    // JScript, whose engine VBScript shares, does not forget the captures of a repeated group at
    // each repetition (Microsoft's MS-ES3 notes, V0190), and neither does PCRE2: group 2 keeps
    // the "a" of the first repetition. JavaScript engines today give it no value.
    const RegExp re = make(u"((a)|b)+"_qs, u"g"_qs);
    const auto result = re.Execute(u"ab"_qs);
    QVERIFY(result);
    QCOMPARE(result->Count(), 1);
    QCOMPARE(result->Item(0).SubMatches().Item(0), u"b"_qs);
    QCOMPARE(result->Item(0).SubMatches().Item(1), u"a"_qs);
}

void tst_RegExp::matchPositionsStayInText()
{
    const QString text = u"\U0001F600a\r\nb\U0001F600"_qs;
    const RegExp re = make(u"[\\s\\S]"_qs, u"g"_qs);
    const auto result = re.Execute(text);
    QVERIFY(result);
    QCOMPARE(result->Count(), text.size());
    for (qsizetype i = 0; i < result->Count(); ++i) {
        QCOMPARE(result->Item(i).FirstIndex(), i);
        QCOMPARE(result->Item(i).Length(), 1);
        QCOMPARE(result->Item(i).Value(), text.mid(i, 1));
    }
    QCOMPARE(result->Text(), text);
}

void tst_RegExp::runawayPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");

    QTest::newRow("nested repeat before end")
        << u"(a+)+$"_qs << QString(30, u'a') + u'!' << 0;
    QTest::newRow("nested repeat before end, multiline")
        << u"(a+)+$"_qs << QString(30, u'a') + u"!\r\n"_qs << 0;
    QTest::newRow("nested repeat of alternation")
        << u"(a|aa)+b"_qs << QString(40, u'a') << 0;
    QTest::newRow("repeated alternation without the final character")
        << u"(a|b)*!"_qs << QString(100000, u'a') << 0;
}

void tst_RegExp::runawayPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(int, count);
    const RegExp re = make(pattern, u"gm"_qs);
    const auto result = re.Execute(text);
    // Either the right answer or the clear error; never a freeze.
    if (result)
        QCOMPARE(result->Count(), count);
    else
        QCOMPARE(result.error().Number, RegExpError::TooMuchBacktracking);
}

void tst_RegExp::deepButLinearPattern()
{
    QString text;
    for (int i = 0; i < 50000; ++i)
        text += u"ab"_qs;
    text += u'!';
    const RegExp re = make(u"(a|b)*!"_qs, u"gm"_qs);
    const auto result = re.Execute(text);
    QVERIFY2(result, result ? "" : qPrintable(result.error().Description));
    QCOMPARE(result->Count(), 1);
    QCOMPARE(result->Item(0).FirstIndex(), 0);
    QCOMPARE(result->Item(0).Length(), text.size());
    QCOMPARE(result->Item(0).SubMatches().Item(0), u"b"_qs);
}

void tst_RegExp::cancelFlag()
{
    const RegExp re = make(u"a"_qs, u"g"_qs);
    std::atomic_bool cancel{true};
    const auto executed = re.Execute(u"aaa"_qs, &cancel);
    QVERIFY(!executed);
    QVERIFY(executed.isCancelled());
    QCOMPARE(executed.error().Number, RegExpError::Cancelled);
    const auto replaced = re.Replace(u"aaa"_qs, u"b"_qs, &cancel);
    QVERIFY(replaced.isCancelled());

    cancel = false;
    const auto uncancelled = re.Execute(u"aaa"_qs, &cancel);
    QVERIFY(uncancelled);
    QVERIFY(!uncancelled.isCancelled());
    QCOMPARE(uncancelled->Count(), 3);
}

void tst_RegExp::wholeSearchStaysWithinItsBudget_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<QString>("expected");

    // Each start position in a run of a's backtracks far below the limit of one position.
    const QString backtrackingLines = u"aaaaaaaaaaaac\r\n"_qs.repeated(100) + u"ab"_qs;
    QTest::newRow("ordinary pattern costs nothing of the budget") << u"\\w+"_qs << u"one two"_qs << qint64(0)
                                                                  << u"0:one 4:two"_qs;
    QTest::newRow("one backtracking run within the budget") << u"(a+)+b"_qs << u"aaaaaaaaaaaacab"_qs
                                                            << qint64(10'000'000) << u"13:ab(a)"_qs;
    QTest::newRow("one backtracking run beyond the budget") << u"(a+)+b"_qs << u"aaaaaaaaaaaacab"_qs << qint64(0)
                                                            << u"E5040"_qs;
    QTest::newRow("backtracking on every line adds up past the budget")
        << u"(a+)+b"_qs << backtrackingLines << qint64(1'000'000) << u"E5040"_qs;
    QTest::newRow("the same lines within the default budget")
        << u"(a+)+b"_qs << backtrackingLines << kDefaultMatchBudget << u"1500:ab(a)"_qs;
}

void tst_RegExp::wholeSearchStaysWithinItsBudget()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(qint64, budget);
    QFETCH(QString, expected);
    RegExp re = make(pattern, u"gm"_qs);
    re.setMatchBudget(budget);
    // Every start position goes to the engine, as for a pattern without a literal to look for.
    re.setPrefilterEnabled(false);
    QCOMPARE(describe(re.Execute(text)), expected);
    re.setJitEnabled(false);
    QCOMPARE(describe(re.Execute(text)), expected);
}

void tst_RegExp::repeatsThatMeetSpendTheBudget_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<QString>("expected");

    // Each step the first repeat gives back makes the second go over the rest of the run again:
    // a step of the match limit that passes hundreds of code units, cheap to PCRE2's count.
    const QString run = QString(600, u'a');
    const QStringList shapes{u"a*a*\\d"_qs, u"(a*)(a*)\\d"_qs, u"a+a+\\d"_qs, u"[a-z]*a*\\d"_qs,
                             u"a*a*?\\d"_qs, u"(?:a*)a*\\d"_qs, u"a{0,1000}a*\\d"_qs,
                             u"a*(?=a)a*\\d"_qs, u"(a|b)*a*\\d"_qs, u"a*b*a*\\d"_qs};
    for (const QString& shape : shapes)
        QTest::addRow("%s over a long run", qPrintable(shape)) << shape << run << qint64(1'000'000) << u"E5040"_qs;
    // The y makes PCRE2 try the blanks: without it, its search for a required character ends at once.
    QTest::newRow("blanks meeting blanks") << u"\\s*\\s*y"_qs << QString(600, u' ') + u"xy"_qs
                                           << qint64(1'000'000) << u"E5040"_qs;
    QTest::newRow("the same shape on short runs costs nothing")
        << u"a*a*\\d"_qs << u"aaaa1 aa2"_qs << qint64(0) << u"0:aaaa1 6:aa2"_qs;
}

void tst_RegExp::repeatsThatMeetSpendTheBudget()
{
    wholeSearchStaysWithinItsBudget();
}

void tst_RegExp::onlyRepeatsThatGoOverAgainAreMetered_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<bool>("metered");

    QTest::newRow("the same character twice") << u"a*a+x"_qs << false << true;
    QTest::newRow("a class after an overlapping class") << u"[a-z]+\\w*x"_qs << false << true;
    QTest::newRow("across group boundaries") << u"(a*)((?:a*))x"_qs << false << true;
    QTest::newRow("after a repeated group") << u"(ab|c)*a*x"_qs << false << true;
    QTest::newRow("through a repeat that may take nothing") << u"a*b?a*x"_qs << false << true;
    QTest::newRow("after any alternative") << u"(?:x|a*)a*y"_qs << false << true;
    QTest::newRow("letters of either case") << u"a*A*x"_qs << true << true;
    QTest::newRow("letters of different case") << u"a*A*x"_qs << false << false;
    QTest::newRow("characters apart") << u"\\w+\\s*x"_qs << false << false;
    QTest::newRow("a character between") << u"a*xa*y"_qs << false << false;
    QTest::newRow("a repeat of a few") << u"a*a{0,16}x"_qs << false << false;
    QTest::newRow("a first repeat") << u"a*x"_qs << false << false;
    QTest::newRow("a repeat of a fixed count before") << u"a{3}a*x"_qs << false << false;
}

void tst_RegExp::onlyRepeatsThatGoOverAgainAreMetered()
{
    QFETCH(QString, pattern);
    QFETCH(bool, ignoreCase);
    QFETCH(bool, metered);
    const auto translated = translatePattern(pattern, ignoreCase, true);
    QVERIFY(translated);
    const auto& callouts = translated->callouts;
    QCOMPARE(std::any_of(callouts.begin(), callouts.end(),
                         [](const PatternCallout& c) { return c.kind == PatternCallout::ScanMeter; }),
             metered);
}

void tst_RegExp::longRepetitionGetsTheStackItNeeds()
{
    // One iteration of the group per code unit: far beyond a fixed JIT stack of a few megabytes.
    const QString text(2'000'000, u'a');
    const RegExp re = make(u"(a|b)+"_qs, u"g"_qs);
    const auto result = re.Execute(text);
    QVERIFY2(result, result ? "" : qPrintable(result.error().Description));
    QCOMPARE(result->Count(), 1);
    QCOMPARE(result->Item(0).Length(), text.size());
}

void tst_RegExp::repetitionsBeyondTheMemoryLimit()
{
    RegExp re = make(u"(a|b)+"_qs, u"g"_qs);
    re.setMemoryLimit(1 << 20);
    const QString text(100'000, u'a');
    for (bool jit : {true, false}) {
        re.setJitEnabled(jit);
        const auto result = re.Execute(text);
        QVERIFY(!result);
        QCOMPARE(result.error().Number, RegExpError::TooManyRepetitions);
    }
}

void tst_RegExp::cancelStopsALongSearchForOneMatch()
{
    // Every start position backtracks below the limit of one position, and without a budget
    // the whole search would take hours: only the cancel flag can end it.
    RegExp re = make(u"(a+)+b"_qs, u"g"_qs);
    re.setMatchBudget(std::numeric_limits<qint64>::max());
    const QString text = (QString(21, u'a') + u'c').repeated(10'000) + u"ab"_qs;
    std::atomic_bool started{false};
    std::atomic_bool cancel{false};
    std::thread canceller([&] {
        while (!started.load())
            std::this_thread::yield();
        cancel.store(true);
    });
    started.store(true);
    const auto result = re.Execute(text, &cancel);
    canceller.join();
    QVERIFY(result.isCancelled());
}

void tst_RegExp::compilesOnlyWhenPatternOrOptionsChange()
{
    RegExp re;
    re.setPattern(u"a(b)"_qs);
    QCOMPARE(re.compileCount(), 0); // compiled lazily
    QVERIFY(!re.Compile());
    QCOMPARE(re.GroupCount(), 1);
    QVERIFY(re.Execute(u"ab"_qs));
    QVERIFY(re.Replace(u"ab"_qs, u"$1"_qs));
    QCOMPARE(re.compileCount(), 1);
    re.setPattern(u"a(b)"_qs);
    re.setIgnoreCase(false);
    re.setMultiline(false);
    re.setGlobal(true);
    QVERIFY(re.Execute(u"ab"_qs));
    QCOMPARE(re.compileCount(), 1);
    re.setIgnoreCase(true);
    QVERIFY(re.Execute(u"AB"_qs));
    QCOMPARE(re.compileCount(), 2);
    re.setMultiline(true);
    QVERIFY(re.Execute(u"AB"_qs));
    QCOMPARE(re.compileCount(), 3);
    re.setPattern(u"("_qs);
    QCOMPARE(re.Compile()->Number, RegExpError::ExpectedParen);
    QCOMPARE(re.Compile()->Number, RegExpError::ExpectedParen);
    QCOMPARE(re.compileCount(), 4);
}

void tst_RegExp::copiesSearchIndependently()
{
    RegExp first = make(u"b+"_qs, u"g"_qs);
    QVERIFY(!first.Compile());
    RegExp second = first;
    second.setPattern(u"a"_qs);
    QCOMPARE(first.Execute(u"abba"_qs)->Count(), 1);
    QCOMPARE(second.Execute(u"abba"_qs)->Count(), 2);
    QCOMPARE(first.Pattern(), u"b+"_qs);
}

void tst_RegExp::plainAlternativesAgreeWithGroupedOnes()
{
    // Plain text alternatives are searched apart from the engine; inside a group they are
    // not. Both must find the same matches on texts of every length around the eight places
    // the search looks at in one step.
    const QString alternatives = u"abc|bca|cab|aab|ab\x00e9\x00e9|\x00e9ab"_qs;
    const RegExp plain = make(alternatives, u"g"_qs);
    const RegExp grouped = make(u"(?:"_qs + alternatives + u')', u"g"_qs);
    const QString alphabet = u"abc\x00e9"_qs;
    quint32 state = 1;
    for (int length = 0; length < 40; ++length) {
        for (int round = 0; round < 20; ++round) {
            QString text;
            for (int i = 0; i < length; ++i) {
                state = state * 1103515245u + 12345u;
                text += alphabet.at((state >> 16) % alphabet.size());
            }
            QCOMPARE(describe(plain.Execute(text)), describe(grouped.Execute(text)));
        }
    }
}

void tst_RegExp::countMatchesAgreesWithExecute_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty matches at every position") << u""_qs << u"gm"_qs << u"abc"_qs;
    QTest::newRow("groups that match empty") << u"()()(a)?"_qs << u"gm"_qs << u"aba"_qs;
    QTest::newRow("only the first without Global") << u"a"_qs << u"m"_qs << u"banana"_qs;
    QTest::newRow("plain text alternatives") << u"ana|nan"_qs << u"gm"_qs << u"bananana"_qs;
    QTest::newRow("near a required literal") << u"\\w+ana"_qs << u"gm"_qs << u"banana cabana"_qs;
    QTest::newRow("no match") << u"x"_qs << u"gm"_qs << u"abc"_qs;
    QTest::newRow("pattern error") << u"(a"_qs << u"gm"_qs << u"abc"_qs;
}

void tst_RegExp::countMatchesAgreesWithExecute()
{
    QFETCH(QString, pattern);
    QFETCH(QString, flags);
    QFETCH(QString, text);

    const RegExp re = make(pattern, flags);
    const RegExpResult<MatchCollection> matches = re.Execute(text);
    const RegExpResult<qsizetype> count = re.countMatches(text);
    QCOMPARE(count.ok(), matches.ok());
    if (matches)
        QCOMPARE(count.value(), matches->Count());
    else
        QCOMPARE(count.error().Number, matches.error().Number);
}

namespace {

/// "w0|w1|...|w99999", or the same words from the last to the first.
QString numberedWords(bool reversed)
{
    QStringList words;
    for (int i = 0; i < 100'000; ++i)
        words << u'w' + QString::number(reversed ? 99'999 - i : i);
    return words.join(u'|');
}

} // namespace

// Patterns too large for PCRE2 to compile: one long literal and long word lists, where the
// first alternative in pattern order wins at a place, not the longest.
void tst_RegExp::longLiteralPatterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // start:length of each match

    const QString literal = u"ab"_qs.repeated(32768);
    QTest::newRow("64 KB literal after a near miss") << literal << u"gm"_qs << u"x"_qs + literal.chopped(1) + literal
                                                    << u"65536:65536"_qs;
    QTest::newRow("64 KB literal under Ignore Case") << literal << u"gim"_qs << u"AB"_qs.repeated(32769) << u"0:65536"_qs;
    QTest::newRow("100,000 words: the first in pattern order wins") << numberedWords(false) << u"gm"_qs
                                                                    << u"x w12345 W7 w99999"_qs << u"2:2 12:2"_qs;
    QTest::newRow("100,000 words from the last: the longest is first") << numberedWords(true) << u"gm"_qs
                                                                       << u"x w12345 W7 w99999"_qs << u"2:6 12:6"_qs;
    QTest::newRow("100,000 words under Ignore Case") << numberedWords(false) << u"gim"_qs
                                                     << u"x w12345 W7 w99999"_qs << u"2:2 9:2 12:2"_qs;
    QTest::newRow("100,000 words without Global") << numberedWords(false) << u"m"_qs << u"x w12345 W7 w99999"_qs
                                                  << u"2:2"_qs;
}

void tst_RegExp::longLiteralPatterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, flags);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    const RegExpResult<MatchCollection> matches = make(pattern, flags).Execute(text);
    QVERIFY2(matches, matches ? "" : qPrintable(matches.error().Description));
    QStringList spans;
    for (qsizetype i = 0; i < matches->Count(); ++i)
        spans << QStringLiteral("%1:%2").arg(matches->Item(i).FirstIndex()).arg(matches->Item(i).Length());
    QCOMPARE(spans.join(u' '), expected);
}

void tst_RegExp::wordListsAgreeWithGroupedOnes()
{
    // Word lists long enough to be searched apart from the engine, against the same words
    // inside a group, which the engine searches: words of one to four characters that are
    // prefixes of each other and differ in case, escaped syntax characters among them.
    const QStringList pieces{u"a"_qs, u"A"_qs, u"b"_qs, u"\x00e9"_qs, u"\x00c9"_qs, u"\\."_qs, u"\\|"_qs};
    const QString textAlphabet = u"aAb\x00e9\x00c9.|\n"_qs;
    std::mt19937 random(20261207);
    auto number = [&](int below) { return int(random() % unsigned(below)); };
    for (int round = 0; round < 300; ++round) {
        QStringList words;
        for (int n = 16 + number(24); n > 0; --n) {
            QString word;
            for (int k = 1 + number(4); k > 0; --k)
                word += pieces.at(number(int(pieces.size())));
            words << word;
        }
        const QString list = words.join(u'|');
        const QString flags = round % 2 ? u"gim"_qs : u"gm"_qs;
        const RegExp plain = make(list, flags);
        const RegExp grouped = make(u"(?:"_qs + list + u')', flags);
        for (int t = 0; t < 10; ++t) {
            QString text;
            for (int k = number(30); k > 0; --k)
                text += textAlphabet.at(number(int(textAlphabet.size())));
            QVERIFY2(describe(plain.Execute(text)) == describe(grouped.Execute(text)),
                     qPrintable(list + u" on "_qs + text));
        }
    }
}

QTEST_GUILESS_MAIN(tst_RegExp)
#include "tst_regexp.moc"
