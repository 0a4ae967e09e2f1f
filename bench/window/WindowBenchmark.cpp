// Drives the real main window on the offscreen platform over a large text and prints each
// figure beside its bare counterpart from the same run: the component alone on the same
// QString, the file read and decoded alone, the text put into the box alone.
//
// Usage: sifta-bench-window figures FILE [check]   timings and ratios
//        sifta-bench-window memory FILE [check]    peak memory of load, search, replace and undo
//        sifta-bench-window stall                  longest hold-up of the window while typing a
//                                                  runaway pattern
//        sifta-bench-window longpattern            the idle window's share of a core with a
//                                                  1 MB pattern in the pattern box
//        sifta-bench-window runaway                how soon the window takes input again after
//                                                  a search that backtracks for long is given up
//        sifta-bench-window journal FILE [check]   the recovery journal's cost per keystroke, and
//                                                  its restore of the text against Open
//        sifta-bench-window debugger               Debug Pattern on 10,000,000 steps: memory and
//                                                  the longest hold-up of the window
//        sifta-bench-window idle FILE [check]      how soon the window's thread goes idle after
//                                                  opening, replacing and undoing
//        sifta-bench-window export FILE [check]    how much the peak memory grows while the
//                                                  Matches window exports millions of matches
// With "check", each ratio is judged against its bound (the bounds are for the 100 MB text).
//
// Word wrap is off for the figures: after each change of the whole text the editor wraps
// every line again in the background, a slice at a time between events (tens of seconds
// for 2 million lines), and on a machine with few cores that work would compete with the
// step being measured. One figure repeats Find Next with word wrap on, after the editor
// has finished wrapping.

#include "app/frmSifta.h"
#include "window/MultiLineBox.h"
#include "journal/JournalReader.h"
#include "journal/RecoveryOffer.h"
#include "busy/BusyRunner.h"
#include "debugger/StepTrace.h"
#include "debugger/frmDebugger.h"
#include "matches/frmMatches.h"
#include "matches/MatchTableModel.h"
#include "platform/FileDialog.h"
#include "platform/HugePages.h"
#include "platform/MessageBox.h"
#include "platform/TextFile.h"
#include "regex/RegExp.h"
#include "regex/SearchSetup.h"
#include "settings/CSettings.h"
#include "textex/TextEx.h"
#include "textex/Utf8Append.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <vector>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>

namespace {

/// A save dialog that always chooses the same file.
class ChosenFile final : public IFileDialog {
public:
    explicit ChosenFile(QString path) : mPath(std::move(path)) {}
    std::optional<FileDialogChoice> run(const FileDialogRequest&) override { return FileDialogChoice{mPath}; }

private:
    QString mPath;
};

class SilentMessageBox final : public IMessageBox {
public:
    MessageAnswer show(const QString& text, MessageButtons, MessageIcon, const QString&) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MessageAnswer::Ok;
    }
};

struct Pattern {
    const char* name;
    QString pattern;
    QString replacement;
};

const Pattern kPatterns[] = {
    {"literal", QStringLiteral("river"), QStringLiteral("stream")},
    {"word", QStringLiteral("\\w+"), QStringLiteral("#")},
    {"two groups", QStringLiteral("(\\w+) (river)"), QStringLiteral("$2 $1")},
};

double elapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

/// The best of repeats runs of work, in milliseconds; setup runs before each, untimed.
double best(int repeats, const std::function<void()>& work, const std::function<void()>& setup = {})
{
    double fastest = std::numeric_limits<double>::max();
    for (int i = 0; i < repeats; ++i) {
        if (setup)
            setup();
        QElapsedTimer timer;
        timer.start();
        work();
        fastest = std::min(fastest, elapsedMs(timer));
    }
    return fastest;
}

RegExp expressionFor(const QString& pattern)
{
    RegExp expression;
    prepareSearch(expression, pattern, false);
    return expression;
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

/// The memory the process holds now.
long currentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) / 1024 : 0;
}

/// The real main window with a settings store in a temporary folder.
class Window {
public:
    Window() : mDialogs(mDir.filePath(QStringLiteral("export.jsonl")))
    {
        auto userStore = std::make_unique<QSettings>(mDir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
        mSettings = std::make_unique<CSettings>(mMessages, mDir.path(), std::move(userStore));
        mWindow = std::make_unique<frmSifta>(mMessages, *mSettings, &mDialogs);
        mWindow->show();
        settle();
    }

    TextEx* document() const { return mWindow->findChild<TextEx*>(QStringLiteral("txtDocument")); }
    QComboBox* pattern() const { return mWindow->findChild<QComboBox*>(QStringLiteral("cboPattern")); }
    void click(const char* name) const
    {
        mWindow->findChild<QPushButton*>(QLatin1String(name))->click();
        QCoreApplication::processEvents();
    }
    void trigger(const char* name) const { mWindow->findChild<QAction*>(QLatin1String(name))->trigger(); }
    void setReplacement(const QString& text) const
    {
        mWindow->findChild<MultiLineBox*>(QStringLiteral("txtReplace"))->setText(text);
    }

    /// Runs the event loop until nothing is left to do: the live matching of the last
    /// change has landed, so that it does not run beside the next timed step.
    void settle() const
    {
        QCoreApplication::processEvents();
        QObject* live = mWindow->findChild<QObject*>(QStringLiteral("liveSearch"));
        if (!live)
            return;
        QMetaObject::invokeMethod(live, "runPending");
        while (live->property("busy").toBool())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();
    }

    /// Runs the event loop until the editor's idle work (wrapping the text) is done: until
    /// several passes in a row find nothing that takes time.
    void waitForEditor() const
    {
        for (int quiet = 0; quiet < 5;) {
            QElapsedTimer pass;
            pass.start();
            QCoreApplication::processEvents();
            quiet = pass.nsecsElapsed() < 1'000'000 ? quiet + 1 : 0;
        }
    }

    /// Opens the Matches window and waits until it shows its first screen with the lines.
    void openMatchesWindow() const
    {
        trigger("mnuToolsMatchesWindow");
        const frmMatches* matches = mWindow->findChild<frmMatches*>();
        while (!matches->table().lineIndex())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        matchesView()->viewport()->repaint();
    }
    void closeMatchesWindow() const
    {
        if (const frmMatches* matches = mWindow->findChild<frmMatches*>(); matches && matches->isVisible())
            trigger("mnuToolsMatchesWindow");
        QCoreApplication::processEvents();
    }
    /// Scrolls the Matches window's table to its last row, or first, and paints it.
    void scrollMatches(bool toEnd) const
    {
        QTableView* view = matchesView();
        if (toEnd)
            view->scrollToBottom();
        else
            view->scrollToTop();
        view->viewport()->repaint();
    }
    QTableView* matchesView() const { return mWindow->findChild<QTableView*>(QStringLiteral("tblMatches")); }

    frmSifta& form() const { return *mWindow; }

    /// Opens sFile as File, Open does once the file is chosen.
    void open(const QString& sFile) const { mWindow->LoadDocument(sFile); }

    /// Types one character into the Search Text and lets the window handle it, with the
    /// calls it queues; with repaint, the editor repaints as well. The editor's own idle
    /// work (wrapping a long text a slice at a time on a timer) is left to the event loop,
    /// as it is while the user types.
    void typeCharacter(bool repaint) const
    {
        QTest::keyClick(static_cast<QWidget*>(document()->hwnd()), Qt::Key_X);
        if (repaint)
            QCoreApplication::sendPostedEvents();
        else
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }

    /// Exports every match of the open Matches window as JSON Lines; the size of the file.
    qint64 exportMatches() const
    {
        mWindow->findChild<frmMatches*>()->findChild<QPushButton*>(QStringLiteral("cmdExportJson"))->click();
        return QFileInfo(mDir.filePath(QStringLiteral("export.jsonl"))).size();
    }

private:
    QTemporaryDir mDir;
    ChosenFile mDialogs;
    SilentMessageBox mMessages;
    std::unique_ptr<CSettings> mSettings;
    std::unique_ptr<frmSifta> mWindow;
};

/// The best time of the editor's own insertion of sText: a bare editor with the box's document
/// options takes the text in as the box does, but keeps no UTF-16 positions of it.
double bareInsertion(const QString& sText)
{
    using Sci = QsciScintillaBase;
    QsciScintilla editor;
    const long document = editor.SendScintilla(Sci::SCI_CREATEDOCUMENT, 0UL, long(Sci::SC_DOCUMENTOPTION_STYLES_NONE));
    editor.SendScintilla(Sci::SCI_SETDOCPOINTER, 0UL, document);
    editor.SendScintilla(Sci::SCI_RELEASEDOCUMENT, 0UL, document);
    editor.SendScintilla(Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
    editor.SendScintilla(Sci::SCI_SETMODEVENTMASK, 0L);
    editor.SendScintilla(Sci::SCI_SETUNDOCOLLECTION, 0L);
    return best(2, [&] { appendAsUtf8(editor, sText); }, [&] {
        editor.SendScintilla(Sci::SCI_CLEARALL);
        QCoreApplication::processEvents();
    });
}

bool gCheck = false;

const char* verdict(double ratio, double bound)
{
    if (!gCheck || bound <= 0)
        return "";
    return ratio <= bound ? "ok" : "OUT OF BOUND";
}

void report(const char* what, double window, double bare, double bound)
{
    const double ratio = window / bare;
    // Figures below 10 ms get three decimals, so that their ratio can be read from them.
    const int decimals = std::max(window, bare) < 10.0 ? 3 : 1;
    std::printf("%-56s %10.*f %10.*f %7.2f %6.1f  %s\n", what, decimals, window, decimals, bare, ratio, bound,
                verdict(ratio, bound));
    std::fflush(stdout);
}

int figures(const QString& file)
{
    std::printf("%-56s %10s %10s %7s %6s\n", "figure (ms, best of several)", "window", "bare", "ratio", "bound");

    QString text;
    const double bareOpen = best(3, [&] { text = Tools::ReadTextFile(file).value().text; });
    Window window;
    window.trigger("mnuFormatWordWrap");
    const double windowOpen = best(3, [&] { window.open(file); }, [&] {
        window.document()->setText(QString());
        window.settle();
    });
    // Opening cannot take less than reading and decoding the file and the editor's own
    // insertion of its text.
    report("open the file (vs. bare read and decode + editor's insertion)", windowOpen,
           bareOpen + bareInsertion(text), 1.2);
    window.settle();

    for (const Pattern& p : kPatterns) {
        const RegExp expression = expressionFor(p.pattern);
        qsizetype count = 0;
        const double bareCount = best(3, [&] { count = expression.Execute(text)->Count(); });
        window.pattern()->setEditText(p.pattern);
        window.click("cmdFind");
        window.settle();
        const double find = best(5, [&] { window.click("cmdFind"); });
        report(qPrintable(QStringLiteral("Find Next, %1 (%2 matches)").arg(QLatin1String(p.name)).arg(count)), find,
               bareCount, 1.5);
        // From the middle of the text the window picks a match among millions.
        const double fromMiddle = best(3, [&] { window.click("cmdFind"); },
                                       [&] { window.document()->setSelStart(int(text.size() / 2)); });
        report(qPrintable(QStringLiteral("  from the middle of the text, %1").arg(QLatin1String(p.name))), fromMiddle,
               bareCount, 1.5);
    }

    // The Matches window lists what the live matching found. Opening it indexes the lines of
    // the text off the window's thread and paints the first screen; scrolling to the end
    // paints the last. Each against the search alone, as Find Next.
    {
        const Pattern& p = kPatterns[0];
        const RegExp expression = expressionFor(p.pattern);
        qsizetype count = 0;
        const double bareCount = best(3, [&] { count = expression.Execute(text)->Count(); });
        window.pattern()->setEditText(p.pattern);
        window.settle();
        const double open = best(3, [&] { window.openMatchesWindow(); }, [&] { window.closeMatchesWindow(); });
        const QString what = QStringLiteral("open the Matches window, %1 (%2 matches)").arg(QLatin1String(p.name));
        report(qPrintable(what.arg(count)), open, bareCount, 1.5);
        const double scroll =
            best(5, [&] { window.scrollMatches(true); }, [&] { window.scrollMatches(false); });
        report("  scroll it to the end", scroll, bareCount, 1.5);
        window.closeMatchesWindow();
    }

    for (const Pattern& p : kPatterns) {
        const RegExp expression = expressionFor(p.pattern);
        const double bareReplace = best(2, [&] { (void)expression.Replace(text, p.replacement); });
        window.pattern()->setEditText(p.pattern);
        window.setReplacement(p.replacement);
        // The search text is the one that was read, so that both Replace figures start from
        // the same QString.
        double replaceAll = std::numeric_limits<double>::max();
        double undo = std::numeric_limits<double>::max();
        for (int run = 0; run < 2; ++run) {
            window.document()->setText(text);
            window.settle();
            replaceAll = std::min(replaceAll, best(1, [&] { window.click("cmdReplaceAll"); }));
            window.settle();
            // Undo puts the text that was read back into the box.
            undo = std::min(undo, best(1, [&] { window.click("cmdUndo"); }));
            window.settle();
        }
        // Replace All cannot take less than the two steps it is made of: the replacement and
        // the editor's own insertion of its result.
        const double bareInsertText = bareInsertion(text);
        const double bareInsertResult = bareInsertion(expression.Replace(text, p.replacement).value());
        window.settle();
        // Shown for scale only: the editor's insertion alone takes more than the replacement.
        report(qPrintable(QStringLiteral("Replace All, %1").arg(QLatin1String(p.name))), replaceAll, bareReplace, 0);
        report("  (vs. bare Replace + editor's insertion of the result)", replaceAll,
               bareReplace + bareInsertResult, 1.2);
        report(qPrintable(QStringLiteral("Undo after it, %1 (vs. the editor's insertion)").arg(QLatin1String(p.name))),
               undo, bareInsertText, 1.2);
    }

    // Typing deep inside the text: the handlers of the change and the status line must not
    // depend on the text's size. The editor lays out the line being typed in on every key, at
    // a cost that grows with the line's length, so each figure types into a line like the one
    // of its counterpart: a new empty line in the middle of the text against an empty text,
    // the middle of a line of prose against that line alone, and with the repaint the middle
    // of the text against a text of one screen, which paints as much.
    const auto typeAt = [&](const QString& sText, qsizetype nPosition, bool repaint) {
        window.document()->setText(sText);
        window.settle();
        window.document()->setSelStart(int(nPosition));
        QCoreApplication::processEvents();
        return best(20, [&] { window.typeCharacter(repaint); });
    };
    const qsizetype middle = text.size() / 2;
    const qsizetype lineStart = text.lastIndexOf(u'\n', middle) + 1;
    const qsizetype lineEnd = text.indexOf(u'\r', middle);
    double onEmptyLine = 0;
    {
        QString withEmptyLine = text;
        withEmptyLine.insert(lineEnd, QStringLiteral("\r\n"));
        onEmptyLine = typeAt(withEmptyLine, lineEnd + 2, false);
    }
    report("type a character on a new line (vs. in an empty text)", onEmptyLine, typeAt(QString(), 0, false), 2.0);
    report("  inside a line (vs. inside that line alone)", typeAt(text, middle, false),
           typeAt(text.mid(lineStart, lineEnd - lineStart), middle - lineStart, false), 2.0);
    const QString screen = text.left(text.indexOf(QStringLiteral("\n"), 4000) + 1);
    report("  with the repaint (vs. in one screen of text)", typeAt(text, middle, true),
           typeAt(screen, screen.size() / 2, true), 2.0);

    window.trigger("mnuFormatWordWrap");
    window.document()->setText(text);
    window.settle();
    window.waitForEditor();
    const RegExp literal = expressionFor(kPatterns[0].pattern);
    const double bareLiteral = best(3, [&] { (void)literal.Execute(text)->Count(); });
    window.pattern()->setEditText(kPatterns[0].pattern);
    window.click("cmdFind");
    window.settle();
    report("Find Next, literal, word wrap on", best(5, [&] { window.click("cmdFind"); }), bareLiteral, 1.5);
    return 0;
}

int memory(const QString& file)
{
    const double size = double(QFileInfo(file).size()) / (1024.0 * 1024.0);
    Window window;
    window.trigger("mnuFormatWordWrap");
    const long before = peakMegabytes();
    // The peak so far after each step, so that the step that sets it shows.
    QStringList steps;
    const auto step = [&](const QString& name) {
        steps.append(QStringLiteral("%1 %2 (now %3)").arg(name).arg(peakMegabytes()).arg(currentMegabytes()));
    };
    window.open(file);
    window.settle();
    step(QStringLiteral("open"));
    for (const Pattern& p : kPatterns) {
        window.pattern()->setEditText(p.pattern);
        window.click("cmdFind");
        window.settle();
        step(QLatin1String(p.name));
    }
    window.pattern()->setEditText(kPatterns[0].pattern);
    window.setReplacement(kPatterns[0].replacement);
    window.click("cmdReplaceAll");
    window.settle();
    step(QStringLiteral("Replace All"));
    window.click("cmdUndo");
    window.settle();
    step(QStringLiteral("Undo"));
    const long peak = peakMegabytes();
    std::printf("%-56s %10ld %10.0f %7.2f %6.1f  %s\n", "peak memory (MB; bare = file size)", peak, size,
                double(peak) / size, 5.0, verdict(double(peak) / size, 5.0));
    std::printf("%-56s %10ld\n", "  of which before loading (MB)", before);
    std::printf("  peak after each step (MB): %s\n", qPrintable(steps.join(QStringLiteral(", "))));
    return 0;
}

/// How much the peak memory grows while the Matches window exports every match of \w+ as
/// JSON Lines: bounded by a piece of the file, however many matches there are.
int exportMemory(const QString& file)
{
    Window window;
    window.trigger("mnuFormatWordWrap");
    window.open(file);
    window.pattern()->setEditText(kPatterns[1].pattern);
    window.settle();
    window.openMatchesWindow();
    const long before = peakMegabytes();
    const qint64 bytes = window.exportMatches();
    const long grown = peakMegabytes() - before;
    std::printf("%-56s %10ld %10.0f %7s %6.1f  %s\n", "export growth of peak memory (MB; bare = file written)", grown,
                double(bytes) / (1024.0 * 1024.0), "", 16.0, verdict(double(grown), 16.0));
    return 0;
}

/// From its creation, the longest time the event loop went without serving a timer that
/// asks to be served every 5 ms.
struct HoldUps {
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer tick;

    HoldUps()
    {
        clock.start();
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [this] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        tick.start();
    }
};

/// Runs the event loop for msec milliseconds.
void runFor(int msec)
{
    QEventLoop loop;
    QTimer::singleShot(msec, &loop, &QEventLoop::quit);
    loop.exec();
}

/// Types a pattern that backtracks on every line of the text into the pattern box, then two
/// more characters, each after a pause long enough for a live run to start and be superseded,
/// and reports the longest time the event loop was held up until the last run has landed.
int stall()
{
    Window window;
    window.document()->setText((QString(18, u'a') + QStringLiteral("c\r\n")).repeated(1200)
                               + QStringLiteral("abxy"));
    window.settle();
    HoldUps holdUps;
    QWidget* box = window.pattern()->lineEdit();
    for (const QChar c : QStringLiteral("(a+)+b")) {
        QTest::keyClick(box, c.toLatin1());
        runFor(50);
    }
    for (const char c : {'x', 'y'}) {
        runFor(500);
        QTest::keyClick(box, c);
    }
    QObject* live = window.pattern()->window()->findChild<QObject*>(QStringLiteral("liveSearch"));
    do
        runFor(50);
    while (live->property("busy").toBool());
    std::printf("%-56s %10lld\n", "longest hold-up of the window (ms)", holdUps.longest);
    std::printf("%-56s %10lld\n", "  from the first key until the matches settled (ms)", holdUps.clock.elapsed());
    return 0;
}

/// Processor time this process has used so far, user and system, in milliseconds.
double processorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

/// Pastes a pattern of about 1 MB into the pattern box and lets the window settle; then,
/// while the box has the focus and its cursor blinks, reports the share of a core that the
/// idle window uses over five seconds and the longest hold-up of its event loop.
int longPattern()
{
    Window window;
    QWidget* form = window.pattern()->window();
    form->activateWindow();
    QApplication::setActiveWindow(form);
    if (!QTest::qWaitForWindowActive(form))
        std::fprintf(stderr, "the window did not become active\n");
    QLineEdit* box = window.pattern()->lineEdit();
    box->setFocus();
    const QString pattern = QStringLiteral("word|").repeated(200'000) + QStringLiteral("word");
    QApplication::clipboard()->setText(pattern);
    QElapsedTimer pasting;
    pasting.start();
    box->paste();
    window.settle();
    const double pasted = elapsedMs(pasting);
    runFor(1000);

    const double before = processorMs();
    HoldUps holdUps;
    runFor(5000);
    const double used = processorMs() - before;
    std::printf("%-56s %10lld\n", "pattern length (characters)", qlonglong(box->text().size()));
    std::printf("%-56s %10.0f\n", "paste until the window settled (ms)", pasted);
    std::printf("%-56s %10.1f\n", "idle window, share of a core over 5 s (%)",
                used / double(holdUps.clock.elapsed()) * 100);
    std::printf("%-56s %10lld\n", "  longest hold-up of the window (ms)", holdUps.longest);
    return 0;
}

/// Over one line of a megabyte of a, where a*a*\d backtracks for long at every position:
/// the time from pressing Cancel in "Searching..." until the window takes input again, and,
/// with live matching, from replacing that pattern by a until the count of a shows. The
/// given-up searches still run when this returns, and the program ends without them.
int runaway()
{
    Window window;
    window.trigger("mnuFormatHighlightMatches");
    window.document()->setText(QString(1 << 20, u'a'));
    window.pattern()->setEditText(QStringLiteral("a*a*\\d"));
    QObject* form = window.pattern()->window();
    auto* busy = form->findChild<BusyRunner*>(QStringLiteral("busyRunner"));
    busy->setDelays(0, 100);
    QElapsedTimer sinceCancel;
    QObject::connect(busy, &BusyRunner::progressShown, busy, [&](QProgressDialog* dialog) {
        sinceCancel.start();
        dialog->findChild<QPushButton*>()->click();
    });
    window.click("cmdFind");
    const double cancelled = elapsedMs(sinceCancel);

    window.trigger("mnuFormatHighlightMatches");
    QObject* live = form->findChild<QObject*>(QStringLiteral("liveSearch"));
    // The time until the count of a shows when it replaces before, a second after before's run began.
    const auto countAfter = [&](const QString& before) {
        window.pattern()->setEditText(before);
        QMetaObject::invokeMethod(live, "runPending");
        runFor(1000);
        QElapsedTimer sinceReplaced;
        sinceReplaced.start();
        window.pattern()->setEditText(QStringLiteral("a"));
        QMetaObject::invokeMethod(live, "runPending");
        while (live->property("busy").toBool())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return elapsedMs(sinceReplaced);
    };
    const double bare = countAfter(QStringLiteral("b"));
    const double replaced = countAfter(QStringLiteral("a*a*\\d"));
    std::printf("%-56s %10.0f\n", "Cancel until the window takes input (ms)", cancelled);
    std::printf("%-56s %10.0f\n", "a runaway live run replaced until the new count (ms)", replaced);
    std::printf("%-56s %10.0f\n", "  the same count after a pattern without matches (ms)", bare);
    return 0;
}

/// Per keystroke in the middle of the text: the median of the window thread's time, and the
/// bytes the journal wrote (none when it is off). The first key starts the journal with a
/// snapshot of the whole text, which counts as compaction and is left out.
std::pair<double, double> typeIntoMiddle(const Window& window, int keys)
{
    DocumentJournal& journal = window.form().journal();
    window.document()->setSelStart(window.document()->TextLength() / 2);
    window.typeCharacter(false);
    journal.flush();
    const qint64 before = journal.bytesWritten();
    std::vector<double> times;
    for (int i = 0; i < keys; ++i)
        times.push_back(best(1, [&] { window.typeCharacter(false); }));
    journal.flush();
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], double(journal.bytesWritten() - before) / keys};
}

int journalFigures(const QString& file)
{
    std::printf("%-56s %10s %10s %7s %6s\n", "figure (ms)", "journal", "without", "ratio", "bound");
    constexpr int kKeys = 300;
    {
        Window window;
        window.trigger("mnuFormatWordWrap");
        window.open(file);
        window.settle();
        const auto [withJournal, bytes] = typeIntoMiddle(window, kKeys);
        window.trigger("mnuOptionsRecoveryJournal");
        const double without = typeIntoMiddle(window, kKeys).first;
        // The bound is on the whole keystroke, which holds the journal's share.
        std::printf("%-56s %10.3f %10.3f %7.2f %6.1f  %s\n", "keystroke in the middle, window thread (median)",
                    withJournal, without, withJournal / without, 1.0, verdict(withJournal, 1.0));
        std::printf("%-56s %10.0f %10s %7s %6d  %s\n", "  bytes the journal wrote per keystroke", bytes, "", "", 4096,
                    verdict(bytes, 4096));
    }

    // A journal as a window that ended without closing leaves it: the file's text as a
    // snapshot and two edits, unsaved. Restoring it reads, checks and replays the journal and
    // puts the text into a new window.
    double open = std::numeric_limits<double>::max();
    double restore = std::numeric_limits<double>::max();
    const QTemporaryDir folder;
    for (int round = 0; round < 3; ++round) {
        {
            Window window;
            window.trigger("mnuFormatWordWrap");
            open = std::min(open, best(1, [&] { window.open(file); }));
            window.form().journal().adopt(JournalSlot::claim(folder.path()));
            window.document()->setSelStart(0);
            window.typeCharacter(false);
            QTest::keyClick(window.document()->hwnd(), Qt::Key_Backspace);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
            window.form().journal().flush();
        }
        std::vector<std::unique_ptr<JournalSlot>> orphans = JournalSlot::orphans(folder.path());
        Window window;
        window.trigger("mnuFormatWordWrap");
        restore = std::min(restore, best(1, [&] {
            JournalReading read = JournalReader::read(orphans.front()->journalPath());
            window.form().RestoreJournal(Recovery{std::move(orphans.front()), std::move(read).value()});
        }));
        window.form().journal().end();
    }
    report("restore from the journal (vs. File, Open)", restore, open, 1.2);
    return 0;
}

/// Debug Pattern on (a+)+b over forty a's, which backtracks far beyond the 10,000,000 steps
/// the debugger keeps: the steps' memory, and the longest hold-up of the window while they
/// are computed and while the user jumps to the last step, to the next backtrack and back.
int debugger()
{
    Window window;
    window.document()->setText(QString(40, u'a'));
    window.pattern()->setEditText(QStringLiteral("(a+)+b"));
    window.settle();
    const long before = peakMegabytes();
    HoldUps holdUps;
    QElapsedTimer computing;
    computing.start();
    window.trigger("mnuToolsDebugPattern");
    auto* debugWindow = window.pattern()->window()->findChild<frmDebugger*>(QStringLiteral("frmDebugger"));
    while (!debugWindow->trace())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double computed = elapsedMs(computing);
    const qint64 whileComputing = holdUps.longest;
    const qsizetype steps = debugWindow->trace()->size();
    holdUps.longest = 0;
    QElapsedTimer stepping;
    stepping.start();
    for (qsizetype step : {steps - 1, qsizetype(0), steps / 2, steps - 2}) {
        debugWindow->setCurrentStep(step);
        runFor(20);
    }
    debugWindow->findChild<QPushButton*>(QStringLiteral("cmdNextBacktrack"))->click();
    runFor(20);
    const double stepped = elapsedMs(stepping);
    std::printf("%-56s %10lld\n", "steps kept", qlonglong(steps));
    std::printf("%-56s %10.0f\n", "  computed in (ms)", computed);
    std::printf("%-56s %10.1f\n", "  memory of the steps (MB)", double(debugWindow->trace()->bytes()) / (1024.0 * 1024.0));
    std::printf("%-56s %10ld\n", "  peak memory growth (MB)", peakMegabytes() - before);
    std::printf("%-56s %10lld %s\n", "longest hold-up while computing (ms, bound 50)", whileComputing,
                whileComputing <= 50 ? "ok" : "OUT OF BOUND");
    std::printf("%-56s %10lld %s\n", "longest hold-up while stepping (ms, bound 50)", holdUps.longest,
                holdUps.longest <= 50 ? "ok" : "OUT OF BOUND");
    std::printf("%-56s %10.0f\n", "  five jumps in (ms)", stepped);
    return 0;
}

/// Processor time the calling thread has used so far, in milliseconds.
double threadProcessorMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

/// Seconds until the window's thread uses less than a twentieth of a core over a quarter of a
/// second, running the event loop meanwhile; at most limit seconds.
double secondsUntilIdle(double limit)
{
    QElapsedTimer since;
    since.start();
    for (;;) {
        const double before = threadProcessorMs();
        QElapsedTimer slice;
        slice.start();
        runFor(250);
        const double share = (threadProcessorMs() - before) / double(slice.elapsed());
        if (share < 0.05)
            return double(since.elapsed() - slice.elapsed()) / 1e3;
        if (since.elapsed() > limit * 1e3)
            return limit;
    }
}

/// How soon after each of opening the file, Replace All and Undo the window's thread goes
/// idle, with the live matching of the pattern: with word wrap off, and then on, as a new
/// user has it.
int idle(const QString& file)
{
    std::printf("%-56s %10s %10s\n", "seconds until the window's thread is idle", "window", "bound");
    for (const bool wrap : {false, true}) {
        Window window;
        if (!wrap)
            window.trigger("mnuFormatWordWrap");
        window.pattern()->setEditText(kPatterns[0].pattern);
        window.setReplacement(kPatterns[0].replacement);
        const auto reportIdle = [wrap](const char* what) {
            const double seconds = secondsUntilIdle(120);
            const QString name = QStringLiteral("word wrap %1: after %2").arg(wrap ? u"on" : u"off", QLatin1String(what));
            std::printf("%-56s %10.1f %10.1f  %s\n", qPrintable(name), seconds, 5.0, verdict(seconds, 5.0));
            std::fflush(stdout);
        };
        window.open(file);
        reportIdle("opening the file");
        window.click("cmdReplaceAll");
        reportIdle("Replace All");
        window.click("cmdUndo");
        reportIdle("Undo");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // As the program does, so that the memory figures are its own.
    mapLargeBlocksOnTheirOwn();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    // The windows' recovery journals go to a temporary folder, never to the user's.
    const QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    QApplication app(argc, argv);
    if (argc == 2 && QLatin1String(argv[1]) == QLatin1String("stall"))
        return stall();
    if (argc == 2 && QLatin1String(argv[1]) == QLatin1String("longpattern"))
        return longPattern();
    if (argc == 2 && QLatin1String(argv[1]) == QLatin1String("runaway"))
        return runaway();
    if (argc == 2 && QLatin1String(argv[1]) == QLatin1String("debugger"))
        return debugger();
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: sifta-bench-window figures|memory|journal|idle|export FILE [check] | stall | longpattern | runaway | debugger\n");
        return 2;
    }
    gCheck = argc == 4 && QLatin1String(argv[3]) == QLatin1String("check");
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (mode == QLatin1String("figures"))
        return figures(file);
    if (mode == QLatin1String("memory"))
        return memory(file);
    if (mode == QLatin1String("journal"))
        return journalFigures(file);
    if (mode == QLatin1String("idle"))
        return idle(file);
    if (mode == QLatin1String("export"))
        return exportMemory(file);
    std::fprintf(stderr, "unknown mode %s\n", argv[1]);
    return 2;
}
