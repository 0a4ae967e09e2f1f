// Counts every match and runs Replace All with the regular-expression component, for each
// pattern of a pattern list on each of the given texts, as the window would (Global and
// Multiline on). Usage: sifta-bench-search [benchmark flags] PATTERNS TEXT...
// PATTERNS holds lines "name<TAB>flags<TAB>pattern" (flags "i", "l" or "-"); each benchmark is
// named count/NAME/TEXT or replace/NAME/TEXT; a count labels itself "matches=N". A pattern
// with flag "l" also gets lengthen/NAME/TEXT, which writes every match twice. Beside the list,
// count/words-100000/TEXT and count/words-100000-i/TEXT search for any of a word list of
// 100,000 words (alternatives, as a user would paste them), of which a few dozen occur in the
// text.

#include "platform/TextCodec.h"
#include "regex/RegExp.h"
#include "regex/RegExpError.h"
#include "regex/SearchSetup.h"

#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct BenchPattern {
    QString name;
    bool ignoreCase = false;
    QString pattern;
    bool lengthen = false;
};

struct BenchText {
    QString name;
    QString text;
};

std::vector<BenchPattern> readPatterns(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<BenchPattern> patterns;
    const QString content = QString::fromUtf8(file.readAll());
    for (const QString& line : content.split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 3)
            continue;
        patterns.push_back(
            {fields[0], fields[1].contains(QLatin1Char('i')), fields[2], fields[1].contains(QLatin1Char('l'))});
    }
    return patterns;
}

RegExp regExpFor(const BenchPattern& pattern)
{
    RegExp regExp;
    prepareSearch(regExp, pattern.pattern, pattern.ignoreCase);
    return regExp;
}

double minimum(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

void countMatches(benchmark::State& state, const BenchPattern& pattern, const BenchText& text)
{
    const RegExp regExp = regExpFor(pattern);
    qsizetype count = 0;
    for (auto _ : state) {
        const RegExpResult<MatchCollection> matches = regExp.Execute(text.text);
        if (!matches) {
            state.SkipWithError(matches.error().Description.toStdString().c_str());
            return;
        }
        count = matches->Count();
        benchmark::DoNotOptimize(count);
    }
    // A label, not a counter: counters print rounded to six digits.
    state.SetLabel("matches=" + std::to_string(count));
}

void replaceAll(benchmark::State& state, const BenchPattern& pattern, const BenchText& text, const QString& replacement)
{
    const RegExp regExp = regExpFor(pattern);
    for (auto _ : state) {
        const RegExpResult<QString> replaced = regExp.Replace(text.text, replacement);
        if (!replaced) {
            state.SkipWithError(replaced.error().Description.toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(replaced.value().size());
    }
}

/// 100,000 words joined as alternatives: made-up words of four to ten letters from a fixed seed,
/// with words of the benchmark's prose among them.
QString wordList()
{
    const QStringList proseWords =
        QStringLiteral("river stone apple garden window morning evening village market bridge forest "
                       "mountain station harbour quietly")
            .split(u' ');
    std::mt19937 random(100'000);
    QStringList words;
    while (words.size() < 100'000) {
        if (words.size() % 5'000 == 0)
            words << proseWords.at(words.size() / 5'000 % proseWords.size());
        QString word;
        for (auto n = 4 + random() % 7; n > 0; --n)
            word += QChar(u'a' + char16_t(random() % 26));
        words << word;
    }
    return words.join(u'|');
}

} // namespace

int main(int argc, char* argv[])
{
    benchmark::Initialize(&argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s [benchmark flags] PATTERNS TEXT...\n", argv[0]);
        return 2;
    }
    const std::vector<BenchPattern> patterns = readPatterns(QString::fromLocal8Bit(argv[1]));
    if (patterns.empty()) {
        std::fprintf(stderr, "no patterns in %s\n", argv[1]);
        return 2;
    }

    std::vector<BenchText> texts;
    for (int i = 2; i < argc; ++i) {
        QFile file(QString::fromLocal8Bit(argv[i]));
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 2;
        }
        texts.push_back({QFileInfo(file).completeBaseName(), TextCodec::decode(file.readAll()).text});
    }

    const auto measure = [](benchmark::internal::Benchmark* benchmark) {
        benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", minimum);
    };
    const auto suffix = [](const BenchPattern& pattern, const BenchText& text) {
        return (pattern.name + QLatin1Char('/') + text.name).toStdString();
    };
    for (const BenchText& text : texts) {
        for (const BenchPattern& pattern : patterns) {
            measure(benchmark::RegisterBenchmark(("count/" + suffix(pattern, text)).c_str(), &countMatches, pattern,
                                                 text));
            measure(benchmark::RegisterBenchmark(("replace/" + suffix(pattern, text)).c_str(), &replaceAll, pattern,
                                                 text, QStringLiteral("#")));
            // A result much longer than the text grows past the room first reserved for it.
            if (pattern.lengthen)
                measure(benchmark::RegisterBenchmark(("lengthen/" + suffix(pattern, text)).c_str(), &replaceAll,
                                                     pattern, text, QStringLiteral("$&$&")));
        }
    }
    const QString words = wordList();
    for (const BenchText& text : texts) {
        for (const bool ignoreCase : {false, true}) {
            const BenchPattern pattern{ignoreCase ? QStringLiteral("words-100000-i") : QStringLiteral("words-100000"), ignoreCase, words};
            measure(benchmark::RegisterBenchmark(("count/" + suffix(pattern, text)).c_str(), &countMatches, pattern,
                                                 text));
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
