// The keys of a window's commands in its tool windows, with plain widgets.

#include "window/KeyPreview.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QAction* item(QWidget* owner, const QString& name, const QKeySequence& key)
{
    auto* action = new QAction(name, owner);
    action->setObjectName(name);
    action->setShortcut(key);
    owner->addAction(action);
    return action;
}

/// A window with a text box and four items, and a tool window beside it with a text box.
struct Windows {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLineEdit* box = new QLineEdit(window.get());
    QAction* find = item(window.get(), u"find"_s, QKeySequence(Qt::CTRL | Qt::Key_F));
    QAction* open = item(window.get(), u"open"_s, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    QAction* selectAll = item(window.get(), u"selectAll"_s, QKeySequence(Qt::CTRL | Qt::Key_A));
    QAction* copy = item(window.get(), u"copy"_s, QKeySequence(Qt::CTRL | Qt::Key_K));
    KeyPreview* preview = new KeyPreview(window.get(), {find, open, selectAll, copy}, AccessKeys(), [](int&) {});

    Windows()
    {
        preview->setToolWindowItems({find, open, copy}, {find});
        window->show();
    }

    /// Shows tool, registered with the preview or not, active with the focus in a text box.
    QLineEdit* showTool(QWidget* tool, bool registered) const
    {
        auto* toolBox = new QLineEdit(tool);
        if (registered)
            preview->addToolWindow(tool);
        tool->show();
        QApplication::setActiveWindow(tool);
        toolBox->setFocus();
        return toolBox;
    }
};

} // namespace

class tst_KeyPreview : public QObject {
    Q_OBJECT
private slots:
    void keysInToolWindows_data();
    void keysInToolWindows();
    void dialogGivesWay();
};

void tst_KeyPreview::keysInToolWindows_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<bool>("registered");
    QTest::addColumn<QString>("triggered"); // the item run, or empty
    QTest::addColumn<bool>("windowForward");

    QTest::newRow("a key that leads to typing brings the window forward")
        << QKeySequence(Qt::CTRL | Qt::Key_F) << true << u"find"_s << true;
    QTest::newRow("another item runs, the tool window stays active")
        << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M) << true << u"open"_s << false;
    QTest::newRow("a key of the focused control stays in the tool window")
        << QKeySequence(Qt::CTRL | Qt::Key_A) << true << QString() << false;
    QTest::newRow("a key the tool window uses itself stays there")
        << QKeySequence(Qt::CTRL | Qt::Key_K) << true << u"toolCopy"_s << false;
    QTest::newRow("a window that is not a tool window keeps every key")
        << QKeySequence(Qt::CTRL | Qt::Key_F) << false << QString() << false;
}

void tst_KeyPreview::keysInToolWindows()
{
    QFETCH(QKeySequence, key);
    QFETCH(bool, registered);
    QFETCH(QString, triggered);
    QFETCH(bool, windowForward);

    Windows w;
    QWidget tool(w.window.get(), Qt::Window);
    QAction* toolCopy = item(&tool, u"toolCopy"_s, QKeySequence(Qt::CTRL | Qt::Key_K));
    QLineEdit* toolBox = w.showTool(&tool, registered);
    QVERIFY(QTest::qWaitForWindowActive(&tool));

    QStringList run;
    for (QAction* action : {w.find, w.open, w.selectAll, w.copy, toolCopy})
        connect(action, &QAction::triggered, this, [&run, action] { run.append(action->objectName()); });
    QTest::keySequence(toolBox, key);

    QCOMPARE(run, triggered.isEmpty() ? QStringList() : QStringList{triggered});
    QTRY_COMPARE(QApplication::activeWindow(), windowForward ? w.window.get() : &tool);
}

// A dialog blocks the window that its command goes to, so it is rejected first.
void tst_KeyPreview::dialogGivesWay()
{
    Windows w;
    QDialog dialog(w.window.get());
    QLineEdit* dialogBox = w.showTool(&dialog, true);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QSignalSpy find(w.find, &QAction::triggered);
    QSignalSpy rejected(&dialog, &QDialog::rejected);

    QTest::keySequence(dialogBox, QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(find.count(), 1);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(tst_KeyPreview)
#include "tst_keypreview.moc"
