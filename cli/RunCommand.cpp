#include "cli/RunCommand.h"

#include "cli/JsonMatch.h"
#include "search/RegExp.h"
#include "search/RegExpErrorText.h"
#include "search/SearchSetup.h"

namespace {

void writeBytes(std::FILE* stream, QByteArrayView bytes)
{
    // An empty view may have no data pointer, which fwrite must not be given.
    if (!bytes.isEmpty())
        std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), stream);
}

void writeLine(std::FILE* stream, const QString& text)
{
    writeBytes(stream, (text + QLatin1Char('\n')).toUtf8());
}

QString codePointName(QChar c)
{
    return QStringLiteral("U+%1").arg(uint(c.unicode()), 4, 16, QLatin1Char('0')).toUpper();
}

RegExp regExpFor(const CliRequest& request)
{
    RegExp regExp;
    prepareSearch(regExp, request.pattern, request.ignoreCase);
    return regExp;
}

int reportError(const RegExpError& error, std::FILE* err)
{
    writeLine(err, regExpErrorText(error));
    return ExitError;
}

int countMatches(const RegExp& regExp, const QString& text, std::FILE* out, std::FILE* err)
{
    const RegExpResult<MatchCollection> matches = regExp.Execute(text);
    if (!matches)
        return reportError(matches.error(), err);
    writeBytes(out, QByteArray::number(matches->Count()) + '\n');
    return matches->Count() > 0 ? ExitFound : ExitNoMatch;
}

int listMatches(const RegExp& regExp, const QString& text, std::FILE* out, std::FILE* err)
{
    const RegExpResult<MatchCollection> matches = regExp.Execute(text);
    if (!matches)
        return reportError(matches.error(), err);
    for (qsizetype i = 0; i < matches->Count(); ++i)
        writeBytes(out, jsonMatchLine(matches->Item(i)));
    return matches->Count() > 0 ? ExitFound : ExitNoMatch;
}

// The result goes out in the input's encoding; when that cannot hold a character the
// replacement brought in, UTF-8 holds everything but lone surrogates.
int replaceMatches(const RegExp& regExp, const CliRequest& request, const DecodedText& input, std::FILE* out,
                   std::FILE* err)
{
    const RegExpResult<QString> replacedResult = regExp.Replace(input.text, request.replacement);
    if (!replacedResult)
        return reportError(replacedResult.error(), err);
    const QString& replaced = replacedResult.value();

    EncodedText encoded = TextCodec::encode(replaced, input.format);
    if (!encoded.ok() && input.format.encoding != TextEncoding::Utf8) {
        const QChar unencodable = replaced.at(*encoded.unencodableAt);
        encoded = TextCodec::encode(replaced, TextFormat{TextEncoding::Utf8, false});
        if (encoded.ok()) {
            writeLine(err, QStringLiteral("sifta-cli: the result holds %1, which %2 cannot store; written as UTF-8")
                               .arg(codePointName(unencodable), TextCodec::encodingName(input.format.encoding)));
        }
    }
    if (!encoded.ok()) {
        writeLine(err, QStringLiteral("sifta-cli: the result holds a lone surrogate %1 at position %2, "
                                      "which no encoding can store; nothing written")
                           .arg(codePointName(replaced.at(*encoded.unencodableAt)))
                           .arg(*encoded.unencodableAt));
        return ExitError;
    }
    writeBytes(out, encoded.bytes);
    return ExitFound;
}

} // namespace

int runCommand(const CliRequest& request, const DecodedText& input, std::FILE* out, std::FILE* err)
{
    const RegExp regExp = regExpFor(request);
    switch (request.command) {
    case CliRequest::Command::Count:
        return countMatches(regExp, input.text, out, err);
    case CliRequest::Command::Matches:
        return listMatches(regExp, input.text, out, err);
    case CliRequest::Command::Replace:
        return replaceMatches(regExp, request, input, out, err);
    }
    Q_UNREACHABLE();
}
