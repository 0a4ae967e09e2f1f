// Drives the real sifta program for tst_journalkill, loaded into it with LD_PRELOAD, so that
// the program itself carries no test hooks. It reads one command a line from standard input
// and answers each on standard output once it is done, so the test steps in lock-step with the
// window and never waits for a time:
//   end            puts the caret at the end of the Search Text          -> "done"
//   type C         types the percent-encoded character C there           -> "done"
//   paste T        pastes the percent-encoded text T there               -> "done"
//   replace P R    Replace All of pattern P with R (both percent-encoded) -> "done"
//   answer         presses Enter in the message box on screen            -> "offer TEXT"
//   report         the window's caption and its text                     -> "report CAPTION TEXT"
// Once the window is up it says "ready".

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

QString decoded(const QByteArray& field)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(field));
}

QByteArray encoded(const QString& text)
{
    return text.toUtf8().toPercentEncoding();
}

void answer(const QByteArray& line)
{
    const QByteArray out = line + '\n';
    ::write(STDOUT_FILENO, out.constData(), size_t(out.size()));
}

QWidget* mainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("frmSifta") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

QWidget* editor(QWidget* window)
{
    QWidget* document = window->findChild<QWidget*>(QStringLiteral("txtDocument"));
    return document->focusProxy() ? document->focusProxy() : document;
}

class Driver : public QObject {
public:
    Driver()
    {
        mInput = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(mInput, &QSocketNotifier::activated, this, &Driver::readInput);
        waitForWindow();
    }

private:
    void waitForWindow()
    {
        if (mainWindow() && !QApplication::activeModalWidget()) {
            answer("ready");
            return;
        }
        if (QApplication::activeModalWidget() && !mOfferSeen) {
            mOfferSeen = true;
            answer("modal");
        }
        QTimer::singleShot(10, this, [this] { waitForWindow(); });
    }

    void readInput()
    {
        char chunk[4096];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n <= 0) {
            mInput->setEnabled(false);
            return;
        }
        mPending.append(chunk, n);
        qsizetype end = 0;
        while ((end = mPending.indexOf('\n')) >= 0) {
            const QByteArray line = mPending.first(end);
            mPending.remove(0, end + 1);
            run(line.split(' '));
        }
    }

    void run(const QList<QByteArray>& command)
    {
        const QByteArray& verb = command.at(0);
        if (verb == "answer") {
            QWidget* box = QApplication::activeModalWidget();
            const auto* message = qobject_cast<QMessageBox*>(box);
            answer("offer " + encoded(message ? message->text() : QString()));
            if (box)
                QTest::keyClick(box, Qt::Key_Return);
            return;
        }
        QWidget* window = mainWindow();
        if (!window) {
            answer("no window");
            return;
        }
        QWidget* box = editor(window);
        if (verb == "end") {
            QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        } else if (verb == "type") {
            // A key event that carries the character, as an input method delivers one that no key has.
            const QString character = decoded(command.value(1));
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
            QApplication::sendEvent(box, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
            QApplication::sendEvent(box, &release);
        } else if (verb == "paste") {
            QApplication::clipboard()->setText(decoded(command.value(1)));
            QMetaObject::invokeMethod(box, "paste");
        } else if (verb == "replace") {
            window->findChild<QComboBox*>(QStringLiteral("cboPattern"))->setEditText(decoded(command.value(1)));
            window->findChild<QPlainTextEdit*>(QStringLiteral("txtReplace"))->setPlainText(decoded(command.value(2)));
            window->findChild<QAbstractButton*>(QStringLiteral("cmdReplaceAll"))->click();
        } else if (verb == "report") {
            QMetaObject::invokeMethod(box, "selectAll", Q_ARG(bool, true));
            QMetaObject::invokeMethod(box, "copy");
            answer("report " + encoded(window->windowTitle()) + ' ' + encoded(QApplication::clipboard()->text()));
            return;
        }
        answer("done");
    }

    QSocketNotifier* mInput = nullptr;
    QByteArray mPending;
    bool mOfferSeen = false;
};

void startDriver()
{
    QMetaObject::invokeMethod(qApp, [] { new Driver; }, Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startDriver)
