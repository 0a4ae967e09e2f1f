#include "FuzzChecks.h"
#include "FuzzInput.h"

#include "regex/ReplacementTemplate.h"

#include <vector>

namespace {

/// Group counts around the edges of the one- and two-digit forms.
int groupCount(unsigned char choice)
{
    return choice < 200 ? choice % 12 : choice - 150;
}

/// Offsets of one match in a subject of `length` code units: the whole match always set,
/// the groups set or not, each group inside the subject.
std::vector<qsizetype> matchOffsets(FuzzInput& input, int groups, qsizetype length)
{
    std::vector<qsizetype> offsets;
    for (int j = 0; j <= groups; ++j) {
        const unsigned char first = input.byte();
        const unsigned char second = input.byte();
        if (j > 0 && first == 0xFF) {
            offsets.insert(offsets.end(), {-1, -1});
            continue;
        }
        const qsizetype start = first % (length + 1);
        offsets.insert(offsets.end(), {start, start + second % (length - start + 1)});
    }
    return offsets;
}

} // namespace

namespace FuzzChecks {

QString replacement(QByteArrayView data)
{
    FuzzInput input(data);
    const unsigned char flags = input.byte();
    const int groups = groupCount(input.byte());
    const QString replacementText = fuzzText(input.chunk(), flags & 1);
    const QString subject = fuzzText(input.chunk(), flags & 1).left(250);
    const std::vector<qsizetype> offsets = matchOffsets(input, groups, subject.size());

    const ReplacementTemplate expansion(replacementText, groups);
    const QString prefix = QStringLiteral("kept");
    QString out = prefix;
    expansion.expand(out, subject, offsets);
    if (!out.startsWith(prefix))
        return QStringLiteral("expand changed the text it appends to");
    const QStringView expanded = QStringView(out).sliced(prefix.size());
    if (expanded.size() != expansion.expandedLength(subject, offsets))
        return QStringLiteral("expandedLength %1 differs from the %2 code units expanded")
            .arg(expansion.expandedLength(subject, offsets)).arg(expanded.size());
    if (!replacementText.contains(u'$') && expanded != replacementText)
        return QStringLiteral("a replacement without a dollar sign expanded to something else");
    if (replacementText == QStringLiteral("$$") && expanded != QStringLiteral("$"))
        return QStringLiteral("$$ did not expand to one dollar sign");
    return {};
}

} // namespace FuzzChecks
