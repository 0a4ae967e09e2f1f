#include "window/SteadyCursor.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int kBlink = 1000;
constexpr qsizetype kMaxLength = 4;

int flashTime()
{
    return QGuiApplication::styleHints()->cursorFlashTime();
}

/// A shown window with the box under test, alone or as the edit field of a combo box (which
/// takes the field's focus), and another box to move the focus to.
struct Fixture {
    QWidget window;
    QLineEdit* box = nullptr;
    QLineEdit* other = new QLineEdit(&window);
    std::unique_ptr<SteadyCursor> steady;

    explicit Fixture(bool inComboBox = false)
    {
        QGuiApplication::styleHints()->setCursorFlashTime(kBlink);
        auto* layout = new QVBoxLayout(&window);
        if (inComboBox) {
            auto* combo = new QComboBox(&window);
            combo->setEditable(true);
            box = combo->lineEdit();
            layout->addWidget(combo);
        } else {
            box = new QLineEdit(&window);
            layout->addWidget(box);
        }
        layout->addWidget(other);
        window.show();
        QApplication::setActiveWindow(&window);
        steady = std::make_unique<SteadyCursor>(*box, kMaxLength);
    }
    bool active() { return QTest::qWaitForWindowActive(&window); }
};

} // namespace

class tst_SteadyCursor : public QObject {
    Q_OBJECT
private slots:
    void blinkRate_data();
    void blinkRate();
    void blinkComesBack_data();
    void blinkComesBack();
};

void tst_SteadyCursor::blinkRate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("expected");

    QTest::newRow("short text with the focus blinks") << QStringLiteral("abcd") << true << kBlink;
    QTest::newRow("long text with the focus is steady") << QStringLiteral("abcde") << true << 0;
    QTest::newRow("long text, focus elsewhere: others blink") << QStringLiteral("abcde") << false << kBlink;
}

void tst_SteadyCursor::blinkRate()
{
    QFETCH(QString, text);
    QFETCH(bool, focused);
    QFETCH(int, expected);
    Fixture f;
    QVERIFY(f.active());
    (focused ? f.box : f.other)->setFocus();
    f.box->setText(text);
    QCOMPARE(flashTime(), expected);
}

void tst_SteadyCursor::blinkComesBack_data()
{
    QTest::addColumn<bool>("inComboBox");
    QTest::newRow("line edit") << false;
    QTest::newRow("edit field of a combo box") << true;
}

void tst_SteadyCursor::blinkComesBack()
{
    QFETCH(bool, inComboBox);
    Fixture f(inComboBox);
    QVERIFY(f.active());
    f.box->setFocus();
    f.box->setText(QStringLiteral("abcde"));
    QCOMPARE(flashTime(), 0);
    f.other->setFocus();
    QCOMPARE(flashTime(), kBlink);
    f.box->setFocus();
    QCOMPARE(flashTime(), 0);
    f.box->setText(QStringLiteral("abc"));
    QCOMPARE(flashTime(), kBlink);
    f.box->setText(QStringLiteral("abcdef"));
    QCOMPARE(flashTime(), 0);
    f.steady.reset();
    QCOMPARE(flashTime(), kBlink);
}

QTEST_MAIN(tst_SteadyCursor)
#include "tst_steadycursor.moc"
