#include "platform/PointerPosition.h"

#include <QCursor>
#include <QTest>
#include <QWidget>

class TestPointerPosition : public QObject {
    Q_OBJECT

private slots:
    void screenAndWindowCoordinates();
};

void TestPointerPosition::screenAndWindowCoordinates()
{
    QWidget window;
    window.setGeometry(200, 150, 300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QPoint inside = window.mapToGlobal(QPoint(40, 30));
    QCursor::setPos(inside);

    QCOMPARE(Tools::GetCursorX(nullptr), inside.x());
    QCOMPARE(Tools::GetCursorY(nullptr), inside.y());
    QCOMPARE(Tools::GetCursorX(&window), 40);
    QCOMPARE(Tools::GetCursorY(&window), 30);
}

QTEST_MAIN(TestPointerPosition)
#include "tst_pointerposition.moc"
