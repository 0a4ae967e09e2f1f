#include "window/FormLayout.h"

#include <QTest>

class tst_FormLayout : public QObject {
    Q_OBJECT

private slots:
    void designSizeWithPane();
    void areasFollowTheInnerSize_data();
    void areasFollowTheInnerSize();
    void belowTheMinimumLaysOutForTheMinimum_data();
    void belowTheMinimumLaysOutForTheMinimum();
    void minimizedMovesNothing();
    void fixedHeightsNeverChange();
};

void tst_FormLayout::designSizeWithPane()
{
    const FormGeometry g = Form_Resize(designGeometry(), 7515, 9135, false, true);
    QCOMPARE(g.fraSyntax.top, 6120.0);
    QCOMPARE(g.fraSyntax.width, 7275.0);
    QCOMPARE(g.txtSyntax.height, 2655.0);
    QCOMPARE(g.txtSyntax.width, 7275.0);
    QCOMPARE(g.fraControls.top, 3585.0);
    QCOMPARE(g.fraControls.width, 7275.0);
    QCOMPARE(g.txtDocument.width, 7275.0);
    QCOMPARE(g.txtDocument.height, 3030.0);
    QCOMPARE(g.lblCursor.left, 3540.0);
    QCOMPARE(g.fraButtons.left, 6060.0);
    QCOMPARE(g.cboPattern.width, 5940.0);
    QCOMPARE(g.txtSubMatches.left, 3285.0);
    QCOMPARE(g.lblSubMatches.left, 3285.0);
    QCOMPARE(g.txtReplace.width, 3165.0);
    QCOMPARE(g.lblMatchNo.left, 5070.0);
    // The buttons end exactly at the right edge of the controls frame.
    QCOMPARE(g.fraButtons.left + 1215, g.fraControls.width);
}

void tst_FormLayout::areasFollowTheInnerSize_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("pane");
    QTest::addColumn<double>("controlsTop");
    QTest::addColumn<double>("documentHeight");
    QTest::addColumn<double>("documentWidth");

    QTest::newRow("pane hidden, 2775 twips shorter: controls stay") << 7515.0 << 6360.0 << false << 3585.0 << 3030.0 << 7275.0;
    QTest::newRow("pane hidden, design height: document grows") << 7515.0 << 9135.0 << false << 6360.0 << 5805.0 << 7275.0;
    QTest::newRow("wider and taller with pane") << 10000.0 << 12000.0 << true << 6450.0 << 5895.0 << 9760.0;
    QTest::newRow("inner size rounded, halves to even (up)") << 7515.5 << 9135.5 << true << 3586.0 << 3031.0 << 7276.0;
    QTest::newRow("inner size rounded, halves to even (down)") << 7514.5 << 9134.5 << true << 3584.0 << 3029.0 << 7274.0;
    QTest::newRow("minimum width exactly") << 7005.0 << 9135.0 << true << 3585.0 << 3030.0 << 6765.0;
    QTest::newRow("hidden pane: minimum height 4470") << 7515.0 << 4470.0 << false << 1695.0 << 1140.0 << 7275.0;
    QTest::newRow("hidden pane: below 4470 laid out for 4470") << 7515.0 << 3000.0 << false << 1695.0 << 1140.0 << 7275.0;
    QTest::newRow("pane shown: minimum height 7365") << 7515.0 << 7365.0 << true << 1815.0 << 1260.0 << 7275.0;
}

void tst_FormLayout::areasFollowTheInnerSize()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, pane);
    QFETCH(double, controlsTop);
    QFETCH(double, documentHeight);
    QFETCH(double, documentWidth);

    const FormGeometry g = Form_Resize(designGeometry(), width, height, false, pane);
    QCOMPARE(g.fraControls.top, controlsTop);
    QCOMPARE(g.txtDocument.height, documentHeight);
    QCOMPARE(g.txtDocument.width, documentWidth);
    QCOMPARE(g.txtDocument.top, 360.0);
    QCOMPARE(g.txtDocument.left, 120.0);
    // The syntax box follows the controls frame's width also while the pane is hidden.
    QCOMPARE(g.txtSyntax.width, g.fraControls.width);
}

void tst_FormLayout::belowTheMinimumLaysOutForTheMinimum_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("pane");
    QTest::addColumn<double>("minimumWidth");
    QTest::addColumn<double>("minimumHeight");

    QTest::newRow("6000 by 5000 with pane, as 7005 by 7365") << 6000.0 << 5000.0 << true << 7005.0 << 7365.0;
    QTest::newRow("zero size with pane") << 0.0 << 0.0 << true << 7005.0 << 7365.0;
    QTest::newRow("narrow only") << 100.0 << 9135.0 << true << 7005.0 << 9135.0;
    QTest::newRow("6000 by 3000 without pane, as 7005 by 4470") << 6000.0 << 3000.0 << false << 7005.0 << 4470.0;
}

void tst_FormLayout::belowTheMinimumLaysOutForTheMinimum()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, pane);
    QFETCH(double, minimumWidth);
    QFETCH(double, minimumHeight);

    const FormGeometry small = Form_Resize(designGeometry(), width, height, false, pane);
    QCOMPARE(small, Form_Resize(designGeometry(), minimumWidth, minimumHeight, false, pane));
    QVERIFY(small.txtDocument.height > 0);
    QVERIFY(small.txtReplace.width > 0);
}

void tst_FormLayout::minimizedMovesNothing()
{
    const FormGeometry laidOut = Form_Resize(designGeometry(), 9000, 10000, false, true);
    QCOMPARE(Form_Resize(laidOut, 0, 0, true, true), laidOut);
    QCOMPARE(Form_Resize(laidOut, 0, 0, true, false), laidOut);
    // Restoring lays the controls out for the restored size.
    QCOMPARE(Form_Resize(laidOut, 7515, 9135, false, true), Form_Resize(designGeometry(), 7515, 9135, false, true));
}

void tst_FormLayout::fixedHeightsNeverChange()
{
    const FormGeometry design = designGeometry();
    const FormGeometry g = Form_Resize(design, 12000, 15000, false, true);
    QCOMPARE(g.fraControls.height, design.fraControls.height);
    QCOMPARE(g.fraSyntax.height, design.fraSyntax.height);
    QCOMPARE(g.cboPattern.height, design.cboPattern.height);
    QCOMPARE(g.txtReplace.height, design.txtReplace.height);
    QCOMPARE(g.txtSubMatches.height, design.txtSubMatches.height);
    QCOMPARE(g.fraButtons.top, design.fraButtons.top);
    QCOMPARE(g.lblCursor.top, design.lblCursor.top);
}

QTEST_GUILESS_MAIN(tst_FormLayout)
#include "tst_formlayout.moc"
