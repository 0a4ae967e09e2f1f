#include "platform/FilePath.h"

#include <QFile>
#include <QList>
#include <QUrl>

#include <cerrno>
#include <dirent.h>
#include <memory>
#include <unistd.h>

namespace FilePath {

namespace {

constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

/// The length of the valid UTF-8 sequence at `at` (no overlong form, no surrogate,
/// nothing above U+10FFFF), or 0 when the byte there starts none.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        least = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    char32_t code = lead & (0x7F >> length);
    for (qsizetype i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

/// The entries of the folder `folder` whose names Qt decodes as `name`.
QList<QByteArray> entriesReadAs(const QByteArray& folder, QStringView name)
{
    QList<QByteArray> found;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), ::closedir);
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray entryName(entry->d_name);
        if (QFile::decodeName(entryName) == name)
            found.append(entryName);
    }
    return found;
}

} // namespace

QString decode(QByteArrayView name)
{
    QString text;
    text.reserve(name.size());
    qsizetype run = 0;
    qsizetype at = 0;
    while (at < name.size()) {
        if (const qsizetype length = sequenceLength(name, at)) {
            at += length;
            continue;
        }
        text += QString::fromUtf8(name.sliced(run, at - run));
        text += QChar(char16_t(kFirstEscape - 0x80 + static_cast<unsigned char>(name[at])));
        run = ++at;
    }
    text += QString::fromUtf8(name.sliced(run));
    return text;
}

QByteArray encode(QStringView name)
{
    QByteArray bytes;
    qsizetype run = 0;
    for (qsizetype at = 0; at < name.size(); ++at) {
        const char16_t unit = name[at].unicode();
        const bool escape = unit >= kFirstEscape && unit <= kLastEscape && (at == 0 || !name[at - 1].isHighSurrogate());
        if (!escape)
            continue;
        bytes += name.sliced(run, at - run).toUtf8();
        bytes += char(unit - kFirstEscape + 0x80);
        run = at + 1;
    }
    bytes += name.sliced(run).toUtf8();
    return bytes;
}

QString currentFolder()
{
    QByteArray folder(4096, Qt::Uninitialized);
    while (!::getcwd(folder.data(), static_cast<size_t>(folder.size()))) {
        if (errno != ERANGE)
            return QFile::decodeName(".");
        folder.resize(folder.size() * 2);
    }
    return decode(QByteArrayView(folder.constData()));
}

QString fromLocalUrl(const QUrl& url)
{
    if (!url.isLocalFile() || !url.host().isEmpty())
        return url.toLocalFile();
    return decode(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

std::optional<QString> fromQtPath(const QString& path)
{
    if (!path.contains(QChar::ReplacementCharacter))
        return path;
    QByteArray bytes;
    const QList<QStringView> names = QStringView(path).split(u'/');
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i > 0)
            bytes += '/';
        QByteArray name = encode(names[i]);
        if (names[i].contains(QChar::ReplacementCharacter)) {
            const QList<QByteArray> found = entriesReadAs(bytes.isEmpty() ? QByteArray(".") : bytes, names[i]);
            if (found.size() > 1)
                return std::nullopt;
            if (found.size() == 1)
                name = found.first();
        }
        bytes += name;
    }
    return decode(bytes);
}

} // namespace FilePath
