// The real sifta program, killed with SIGKILL at random moments while it is typed into, pasted
// into and Replace All is run, gives back at its next start a text it held no more than a second
// before the kill. The program is driven through JournalDriver, which LD_PRELOAD loads into it
// and which takes commands on its standard input (see there); each run has its own HOME and XDG
// folders. The runs follow a fixed seed; SIFTA_KILL_RUNS sets how many ("make test-journal-kill"
// runs 100), SIFTA_KILL_SEED the seed.

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>

namespace {

/// A text the window held from `from` (when the command that made it was sent) on, and the
/// moment the next command was known to have replaced it (or never, for the last one).
struct Held {
    QString text;
    qint64 from = 0;
    qint64 until = -1;
};

class Sifta {
public:
    /// Starts `program` with `home` as its HOME and XDG folders.
    Sifta(const QString& program, const QString& home)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        environment.insert(QStringLiteral("XDG_STATE_HOME"), home + QStringLiteral("/.local/state"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(JOURNAL_DRIVER));
        // Under AddressSanitizer the preloaded driver comes before the sanitizer's runtime,
        // which the runtime would refuse; both are instrumented alike, so the order is safe.
        const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           sanitizer + (sanitizer.isEmpty() ? QString() : QStringLiteral(":"))
                               + QStringLiteral("verify_asan_link_order=0"));
        mProcess.setProcessEnvironment(environment);
        mProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        mProcess.setProgram(program);
        mProcess.start();
    }
    ~Sifta() { kill(); }

    bool started() { return mProcess.waitForStarted(); }
    void send(const QByteArray& line) { mProcess.write(line + '\n'); }
    /// The next line the program answers; empty when it ended first.
    QByteArray line()
    {
        while (!mProcess.canReadLine()) {
            if (!mProcess.waitForReadyRead(30000))
                return {};
        }
        return mProcess.readLine().chopped(1);
    }
    void kill()
    {
        if (mProcess.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(mProcess.processId()), SIGKILL);
        mProcess.waitForFinished();
    }

private:
    QProcess mProcess;
};

QByteArray field(const QString& text)
{
    return text.toUtf8().toPercentEncoding();
}

} // namespace

class tst_JournalKill : public QObject {
    Q_OBJECT

private slots:
    void restoredTextIsRecent();
};

void tst_JournalKill::restoredTextIsRecent()
{
    const int runs = qEnvironmentVariableIsSet("SIFTA_KILL_RUNS") ? qEnvironmentVariableIntValue("SIFTA_KILL_RUNS") : 12;
    const quint32 seed = qEnvironmentVariableIsSet("SIFTA_KILL_SEED") ? quint32(qEnvironmentVariableIntValue("SIFTA_KILL_SEED")) : 27;
    QRandomGenerator random(seed);
    // A copy of the program keeps the Settings.ini it writes beside itself out of the build.
    const QTemporaryDir programFolder;
    const QString program = programFolder.filePath(QStringLiteral("sifta"));
    QVERIFY(QFile::copy(QStringLiteral(SIFTA_BINARY), program));

    const QStringList typed = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral(" "), QStringLiteral("é")};
    const QStringList pasted = {QStringLiteral("pasted line\r\n"), QStringLiteral("𝄞 clef "), QStringLiteral("aaa")};

    for (int run = 0; run < runs; ++run) {
        const QTemporaryDir home;
        QVERIFY(home.isValid());
        const qint64 killAfter = 150 + random.bounded(1500);
        const bool killMidCommand = random.bounded(2) == 1;

        QList<Held> held{{QString(), 0}};
        QElapsedTimer clock;
        {
            Sifta sifta(program, home.path());
            QVERIFY(sifta.started());
            QCOMPARE(sifta.line(), QByteArray("ready"));
            clock.start();
            QString text;
            while (true) {
                // Typing and pasting go at the end, so that the text each command makes is known.
                QByteArray command;
                const int kind = random.bounded(10);
                if (kind < 6) {
                    const QString c = typed.at(random.bounded(typed.size()));
                    text += c;
                    command = "type " + field(c);
                } else if (kind < 9 || !text.contains(u'a')) {
                    const QString t = pasted.at(random.bounded(pasted.size()));
                    text += t;
                    command = "paste " + field(t);
                } else {
                    text.replace(u'a', QStringLiteral("A"));
                    command = "replace a A";
                }
                sifta.send("end");
                QCOMPARE(sifta.line(), QByteArray("done"));
                // The new text may be there from the moment the command is sent; the one before
                // is gone for sure once the command is done.
                held.append({text, clock.elapsed()});
                sifta.send(command);
                const bool last = clock.elapsed() >= killAfter;
                if (last && killMidCommand)
                    break;
                QCOMPARE(sifta.line(), QByteArray("done"));
                held[held.size() - 2].until = clock.elapsed();
                if (last)
                    break;
            }
            sifta.kill();
        }
        const qint64 killedAt = clock.elapsed();

        // Enter in the offer restores the text; a kill before anything reached the disk leaves
        // no offer and an empty window.
        Sifta again(program, home.path());
        QVERIFY(again.started());
        QByteArray first = again.line();
        const bool offered = first == "modal";
        if (offered) {
            again.send("answer");
            const QByteArray offer = again.line();
            QVERIFY2(offer.startsWith("offer "), offer.constData());
            first = again.line();
        }
        QCOMPARE(first, QByteArray("ready"));
        again.send("report");
        const QList<QByteArray> report = again.line().split(' ');
        QCOMPARE(report.size(), 3);
        QCOMPARE(QByteArray::fromPercentEncoding(report[1]).startsWith("*"), offered);
        const QString restored = QString::fromUtf8(QByteArray::fromPercentEncoding(report[2]));

        // Some text the window held within the second before the kill.
        const bool recent = std::any_of(held.begin(), held.end(), [&](const Held& h) {
            return h.text == restored && (h.until < 0 || h.until >= killedAt - 1000);
        });
        QVERIFY2(recent, qPrintable(QStringLiteral("run %1: restored %2 characters, the last text had %3")
                                        .arg(run)
                                        .arg(restored.size())
                                        .arg(held.last().text.size())));
    }
}

QTEST_GUILESS_MAIN(tst_JournalKill)
#include "tst_journalkill.moc"
