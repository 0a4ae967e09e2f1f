// Where the main window's controls go, for texts longer than their design widths.

#include "app/ControlPlacement.h"
#include "app/frmSiftaControls.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_ControlPlacement : public QObject {
    Q_OBJECT
private slots:
    void rightAlignedLabelGrowsLeft_data();
    void rightAlignedLabelGrowsLeft();
};

void tst_ControlPlacement::rightAlignedLabelGrowsLeft_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("a seven-digit match number") << u"lblMatchNo"_s << u"Match 1846926 of 1846926"_s;
    QTest::newRow("a status line of a long text")
        << u"lblCursor"_s << u"Line: 12,345,678    Col: 12,345,678    Len: 1,234,567,890"_s;
}

// The whole text shows, and the label keeps its right edge where the layout put it.
void tst_ControlPlacement::rightAlignedLabelGrowsLeft()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    QWidget inner;
    const frmSiftaControls controls = buildControls(&inner);
    auto* label = inner.findChild<QLabel*>(name);
    QVERIFY(label);
    placeControls(controls, designGeometry(), 96, 96);
    const int right = label->geometry().right();

    label->setText(text);
    QVERIFY(label->sizeHint().width() > label->width());
    placeControls(controls, designGeometry(), 96, 96);
    QCOMPARE(label->geometry().right(), right);
    QVERIFY(label->width() >= label->sizeHint().width());
}

QTEST_MAIN(tst_ControlPlacement)
#include "tst_controlplacement.moc"
