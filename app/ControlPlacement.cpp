#include "app/ControlPlacement.h"

#include "app/frmSiftaControls.h"
#include "window/MultiLineBox.h"
#include "textex/TextEx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

// The controls that keep their design place and size for the whole run, in twips.
constexpr TwipsRect kLabel1 = {0, 0, 1365, 195};
constexpr TwipsRect kLabel2 = {0, 600, 975, 195};
constexpr TwipsRect kLabel4 = {240, 1560, 2775, 495};
constexpr TwipsRect kIgnoreCase = {0, 2040, 1335, 255};
constexpr TwipsRect kLabel3 = {0, 0, 1890, 195};
constexpr double kButtonWidth = 1215;
constexpr double kButtonHeight = 375;
constexpr double kButtonPitch = 480;

struct Placer {
    double dpiX;
    double dpiY;

    // Both edges are rounded, so controls that touch in twips touch in pixels.
    void operator()(QWidget* widget, const TwipsRect& r) const
    {
        int left = twipsToPixels(r.left, dpiX);
        const int top = twipsToPixels(r.top, dpiY);
        const int right = twipsToPixels(r.left + r.width, dpiX);
        const int bottom = twipsToPixels(r.top + r.height, dpiY);
        int width = right - left;
        // The design's label widths fit the captions in the original system font; a wider
        // substitute face, or a longer text such as a seven-digit match number, would cut
        // them, so a one-line label grows away from its aligned edge instead: to the right,
        // or to the left as far as its container's edge.
        if (const auto* label = qobject_cast<const QLabel*>(widget); label && !label->wordWrap()) {
            const int needed = std::max(width, label->sizeHint().width());
            if (label->alignment() & Qt::AlignLeft) {
                width = needed;
            } else if (label->alignment() & Qt::AlignRight) {
                width = std::min(needed, right);
                left = right - width;
            }
        }
        widget->setGeometry(left, top, width, bottom - top);
    }
};

} // namespace

void placeControls(const frmSiftaControls& c, const FormGeometry& g, double dpiX, double dpiY)
{
    const Placer place{dpiX, dpiY};

    place(c.lblSearchText, g.lblSearchText);
    place(c.lblCursor, g.lblCursor);
    place(c.txtDocument, g.txtDocument);

    place(c.fraControls, g.fraControls);
    place(c.Label1, kLabel1);
    place(c.lblMatchNo, g.lblMatchNo);
    place(c.cboPattern, g.cboPattern);
    place(c.Label2, kLabel2);
    place(c.txtReplace, g.txtReplace);
    place(c.lblSubMatches, g.lblSubMatches);
    place(c.txtSubMatches, g.txtSubMatches);
    place(c.Label4, kLabel4);
    place(c.chkIgnoreCase, kIgnoreCase);

    place(c.fraButtons, g.fraButtons);
    QPushButton* const buttons[] = {c.cmdFind, c.cmdFindPrev, c.cmdReplace, c.cmdReplaceAll, c.cmdUndo};
    double top = 0;
    for (QPushButton* button : buttons) {
        place(button, {0, top, kButtonWidth, kButtonHeight});
        top += kButtonPitch;
    }

    place(c.fraSyntax, g.fraSyntax);
    place(c.Label3, kLabel3);
    place(c.txtSyntax, g.txtSyntax);
}
