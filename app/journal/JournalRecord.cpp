#include "journal/JournalRecord.h"

#include "journal/Crc32c.h"

#include <QtEndian>

#include <cstring>

namespace JournalRecord {

namespace {

class Writer {
public:
    explicit Writer(qsizetype reserve) { mBytes.reserve(reserve); }

    template <typename T>
    void number(T value)
    {
        char raw[sizeof(T)];
        qToLittleEndian(value, raw);
        mBytes.append(raw, sizeof(T));
    }
    void bytes(QByteArrayView data)
    {
        number<quint64>(quint64(data.size()));
        mBytes.append(data.data(), data.size());
    }
    void utf16(const QString& text)
    {
        number<quint32>(quint32(text.size()));
        for (const QChar c : text)
            number<quint16>(c.unicode());
    }
    void state(const JournalState& s)
    {
        utf16(s.fileName);
        utf16(s.pattern);
        utf16(s.replaceWith);
        number<quint8>(quint8(s.format.encoding));
        number<quint8>(s.format.byteOrderMark ? 1 : 0);
        number<quint8>(s.dirty ? 1 : 0);
        number<qint64>(s.format.strayBytes);
        number<qint64>(s.selStart);
        number<qint64>(s.selLength);
    }
    QByteArray take() { return std::move(mBytes); }

private:
    QByteArray mBytes;
};

/// Reads fields from a payload; once a field runs past its end, every later read fails too.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : mBytes(bytes) {}

    bool ok() const { return mOk; }
    bool atEnd() const { return mAt == mBytes.size(); }

    template <typename T>
    T number()
    {
        if (!take(sizeof(T)))
            return T{};
        return qFromLittleEndian<T>(mBytes.data() + mAt - qsizetype(sizeof(T)));
    }
    QByteArrayView bytes()
    {
        const quint64 size = number<quint64>();
        if (!mOk || size > quint64(mBytes.size() - mAt) || !take(qsizetype(size)))
            return fail<QByteArrayView>();
        return mBytes.sliced(mAt - qsizetype(size), qsizetype(size));
    }
    QString utf16()
    {
        const quint32 count = number<quint32>();
        if (!mOk || quint64(count) * 2 > quint64(mBytes.size() - mAt))
            return fail<QString>();
        QString text(qsizetype(count), Qt::Uninitialized);
        for (quint32 i = 0; i < count; ++i)
            text[qsizetype(i)] = QChar(number<quint16>());
        return text;
    }
    JournalState state()
    {
        JournalState s;
        s.fileName = utf16();
        s.pattern = utf16();
        s.replaceWith = utf16();
        const quint8 encoding = number<quint8>();
        if (encoding > quint8(TextEncoding::Utf32BE))
            mOk = false;
        s.format.encoding = TextEncoding(encoding);
        s.format.byteOrderMark = number<quint8>() != 0;
        s.dirty = number<quint8>() != 0;
        s.format.strayBytes = number<qint64>();
        s.selStart = number<qint64>();
        s.selLength = number<qint64>();
        return s;
    }

private:
    bool take(qsizetype n)
    {
        if (!mOk || n > mBytes.size() - mAt)
            return mOk = false;
        mAt += n;
        return true;
    }
    template <typename T>
    T fail()
    {
        mOk = false;
        return T{};
    }

    QByteArrayView mBytes;
    qsizetype mAt = 0;
    bool mOk = true;
};

Writer payloadStart(qsizetype reserve, quint64 sequence, Kind kind, qint64 timeMs)
{
    Writer w(kFrameSize + 17 + reserve);
    w.number<quint32>(0);
    w.number<quint32>(0);
    w.number<quint64>(sequence);
    w.number<quint8>(quint8(kind));
    w.number<qint64>(timeMs);
    return w;
}

/// Fills in the length and the checksum in front of the payload.
QByteArray framed(Writer& w)
{
    QByteArray record = w.take();
    const auto length = quint32(record.size() - kFrameSize);
    qToLittleEndian(length, record.data());
    const quint32 crc = crc32c(QByteArrayView(record).sliced(kFrameSize), crc32c(QByteArrayView(record).first(4)));
    qToLittleEndian(crc, record.data() + 4);
    return record;
}

qsizetype stateSize(const JournalState& s)
{
    return 40 + 2 * (s.fileName.size() + s.pattern.size() + s.replaceWith.size());
}

} // namespace

QByteArray header()
{
    QByteArray bytes(kMagic, sizeof kMagic);
    char version[4];
    qToLittleEndian(kVersion, version);
    bytes.append(version, 4);
    char crc[4];
    qToLittleEndian(crc32c(bytes), crc);
    bytes.append(crc, 4);
    return bytes;
}

HeaderCheck checkHeader(QByteArrayView bytes)
{
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return HeaderCheck::NotOurs;
    if (qFromLittleEndian<quint32>(bytes.data() + 12) != crc32c(bytes.first(12)))
        return HeaderCheck::NotOurs;
    return qFromLittleEndian<quint32>(bytes.data() + 8) > kVersion ? HeaderCheck::Newer : HeaderCheck::Ours;
}

QByteArray stateRecord(quint64 sequence, qint64 timeMs, const JournalState& state)
{
    Writer w = payloadStart(stateSize(state), sequence, Kind::State, timeMs);
    w.state(state);
    return framed(w);
}

QByteArray snapshotRecord(quint64 sequence, qint64 timeMs, const JournalState& state, QByteArrayView utf8Text)
{
    QByteArray record = snapshotRecordHead(sequence, timeMs, state, utf8Text.size());
    qToLittleEndian(crc32c(utf8Text, snapshotChecksum(record)), record.data() + kChecksumOffset);
    return record.append(utf8Text);
}

QByteArray snapshotRecordHead(quint64 sequence, qint64 timeMs, const JournalState& state, qint64 textBytes)
{
    Writer w = payloadStart(stateSize(state) + 8, sequence, Kind::Snapshot, timeMs);
    w.state(state);
    w.number<quint64>(quint64(textBytes));
    QByteArray head = w.take();
    qToLittleEndian(quint32(head.size() - kFrameSize + textBytes), head.data());
    return head;
}

quint32 snapshotChecksum(QByteArrayView head)
{
    return crc32c(head.sliced(kFrameSize), crc32c(head.first(4)));
}

qint64 utf8Length(QStringView text)
{
    qint64 bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            bytes += 1;
        } else if (c < 0x800) {
            bytes += 2;
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            bytes += 4;
            ++i;
        } else if (QChar::isSurrogate(c)) {
            bytes += 1;
        } else {
            bytes += 3;
        }
    }
    return bytes;
}

QByteArray editRecord(quint64 sequence, qint64 timeMs, qint64 position, qint64 removed, QByteArrayView utf8Inserted)
{
    Writer w = payloadStart(24 + utf8Inserted.size(), sequence, Kind::Edit, timeMs);
    w.number<qint64>(position);
    w.number<qint64>(removed);
    w.bytes(utf8Inserted);
    return framed(w);
}

std::optional<std::pair<Record, qsizetype>> read(QByteArrayView bytes)
{
    if (bytes.size() < kFrameSize)
        return std::nullopt;
    const auto length = qFromLittleEndian<quint32>(bytes.data());
    if (length > quint64(bytes.size() - kFrameSize))
        return std::nullopt;
    const QByteArrayView payload = bytes.sliced(kFrameSize, qsizetype(length));
    if (qFromLittleEndian<quint32>(bytes.data() + 4) != crc32c(payload, crc32c(bytes.first(4))))
        return std::nullopt;

    Reader r(payload);
    Record record;
    record.sequence = r.number<quint64>();
    const auto kind = r.number<quint8>();
    record.timeMs = r.number<qint64>();
    switch (Kind(kind)) {
    case Kind::State:
        record.state = r.state();
        break;
    case Kind::Snapshot:
        record.state = r.state();
        record.text = r.bytes();
        break;
    case Kind::Edit:
        record.edit.position = r.number<qint64>();
        record.edit.removed = r.number<qint64>();
        record.edit.inserted = r.bytes();
        break;
    default:
        return std::nullopt;
    }
    if (!r.ok() || !r.atEnd())
        return std::nullopt;
    record.kind = Kind(kind);
    return std::pair{std::move(record), kFrameSize + qsizetype(length)};
}

} // namespace JournalRecord
