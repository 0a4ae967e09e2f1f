// Times the search text control on large documents: loading, reading the text, moving the
// selection, the line queries and typing, without and with word wrap.
// Usage: sifta-bench-textex DATA_DIR [SIZE_MB...]   (sizes default to 10 and 100)

#include "textex/TextEx.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <random>

namespace {

constexpr int kLinesPerMegabyte = 20000;

// A document of sizeMb megabytes in lines of about 50 bytes ended by CR LF, with some
// accented letters and a character outside the BMP so that UTF-16 and UTF-8 positions differ.
QByteArray generatedText(int sizeMb)
{
    static const char* const words[] = {"search", "text", "line", "match", "caret", "wrap", "tab",
                                        "font", "d\xC3\xA9j\xC3\xA0", "vu", "\xF0\x9F\x98\x80", "end"};
    std::mt19937 random(20261207u + static_cast<unsigned>(sizeMb));
    const qsizetype target = qsizetype(sizeMb) * 1000 * 1000;
    const qsizetype lines = qsizetype(sizeMb) * kLinesPerMegabyte;
    QByteArray text;
    text.reserve(target + 64);
    for (qsizetype line = 0; line < lines; ++line) {
        const qsizetype lineEnd = (line + 1) * target / lines - 2;
        while (text.size() < lineEnd) {
            text.append(words[random() % std::size(words)]);
            text.append(' ');
        }
        text.truncate(std::max(lineEnd, text.size() - 1));
        // Never cut a multi-byte character.
        while (!text.isEmpty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
            text.chop(1);
        if (!text.isEmpty() && static_cast<unsigned char>(text.back()) >= 0xC0)
            text.chop(1);
        text.append("\r\n");
    }
    return text;
}

QByteArray loadOrGenerate(const QString& dataDir, int sizeMb)
{
    const QString path = QDir(dataDir).filePath(QStringLiteral("textex-%1MB.txt").arg(sizeMb));
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly))
        return existing.readAll();
    const QByteArray text = generatedText(sizeMb);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text);
        file.commit();
    }
    return text;
}

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

double microsecondsEach(int count, const std::function<void(int)>& work)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i)
        work(i);
    return timer.nsecsElapsed() / 1e3 / count;
}

void report(const char* what, double value, const char* unit)
{
    std::printf("  %-52s %10.3f %s\n", what, value, unit);
}

void typeCharacter(TextEx& control, char character)
{
    const auto key = Qt::Key_A + (character - 'a');
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QLatin1Char(character)));
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(QLatin1Char(character)));
    QCoreApplication::sendEvent(control.hwnd(), &press);
    QCoreApplication::sendEvent(control.hwnd(), &release);
}

void measureQueries(TextEx& control, std::mt19937& random, const char* mode)
{
    const int length = control.TextLength();
    const int lines = control.LineCount();
    std::printf(" %s (%d displayed lines)\n", mode, lines);

    report("SelStart + SelLength write, then read",
           microsecondsEach(1000, [&](int) {
               control.setSelStart(int(random() % unsigned(length)));
               control.setSelLength(20);
               volatile int sink = control.SelStart() + control.SelLength();
               (void)sink;
           }),
           "us");
    report("CurrentLine", microsecondsEach(1000, [&](int) { volatile int sink = control.CurrentLine(); (void)sink; }), "us");
    report("CurrentChar", microsecondsEach(1000, [&](int) { volatile int sink = control.CurrentChar(); (void)sink; }), "us");
    report("LineCount", microsecondsEach(1000, [&](int) { volatile int sink = control.LineCount(); (void)sink; }), "us");
    report("TextLength", microsecondsEach(1000, [&](int) { volatile int sink = control.TextLength(); (void)sink; }), "us");
    report("LineStart(random line)",
           microsecondsEach(1000, [&](int) { volatile int sink = control.LineStart(int(random() % unsigned(lines))); (void)sink; }),
           "us");
    report("LineLength(random line)",
           microsecondsEach(1000, [&](int) { volatile int sink = control.LineLength(int(random() % unsigned(lines))); (void)sink; }),
           "us");

    // Each keystroke also runs what the main window does on Change: the caret status line.
    int changes = 0;
    const auto connection = QObject::connect(&control, &TextEx::Change, &control, [&]() {
        ++changes;
        volatile int sink = control.CurrentLine() + control.CurrentChar() + control.TextLength();
        (void)sink;
    });
    const int keystrokes = 200;
    const double typing = microsecondsEach(keystrokes, [&](int i) {
        if (i % 20 == 0)
            control.setSelStart(int(random() % unsigned(control.TextLength())));
        typeCharacter(control, char('a' + i % 26));
    });
    QObject::disconnect(connection);
    report("keystroke with status-line update", typing / 1000, "ms");
    std::printf("  %-52s %10d of %d\n", "Change events raised", changes, keystrokes);
    report("Text after typing, first read (rebuilt)", millisecondsOf([&] { volatile auto n = control.Text().size(); (void)n; }), "ms");
    report("Text after typing, second read (cached)", millisecondsOf([&] { volatile auto n = control.Text().size(); (void)n; }), "ms");
}

void benchmark(const QString& dataDir, int sizeMb)
{
    const QByteArray bytes = loadOrGenerate(dataDir, sizeMb);
    QString text;
    const double decode = millisecondsOf([&] { text = QString::fromUtf8(bytes); });
    std::printf("%d MB text: %lld bytes, %lld UTF-16 units, %lld lines\n", sizeMb, qlonglong(bytes.size()),
                qlonglong(text.size()), qlonglong(bytes.count('\n')));
    report("decode file bytes (for comparison)", decode, "ms");

    TextEx control;
    control.setObjectName(QStringLiteral("txtDocument"));
    control.InitProperties();
    control.setMultiLine(true);
    control.setScrollBars(3);
    control.resize(900, 600);
    control.show();

    report("Text write", millisecondsOf([&] { control.setText(text); }), "ms");
    report("Text read, first", millisecondsOf([&] { volatile auto n = control.Text().size(); (void)n; }), "ms");
    report("Text read, second", millisecondsOf([&] { volatile auto n = control.Text().size(); (void)n; }), "ms");

    std::mt19937 random(7u);
    measureQueries(control, random, "no wrap");

    report("switch to word wrap (text written anew)", millisecondsOf([&] { control.setScrollBars(2); }), "ms");
    report("first LineCount with wrap (background wrapping)", millisecondsOf([&] { volatile int n = control.LineCount(); (void)n; }), "ms");
    measureQueries(control, random, "word wrap");
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATA_DIR [SIZE_MB...]\n", argv[0]);
        return 2;
    }
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    QList<int> sizes;
    for (int i = 2; i < argc; ++i)
        sizes.append(QByteArray(argv[i]).toInt());
    if (sizes.isEmpty())
        sizes = {10, 100};
    for (const int size : sizes)
        benchmark(dataDir, size);
    return 0;
}
