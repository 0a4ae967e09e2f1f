#include "window/FormLayout.h"

#include <cmath>

namespace {

constexpr double kMinimumWidth = 7005;
constexpr double kMinimumHeightWithSyntax = 7365;
constexpr double kMargin = 120;

// Whole twips, halves to the even number, as the window's inner size is read.
double wholeTwips(double value)
{
    return std::nearbyint(value);
}

} // namespace

FormGeometry designGeometry()
{
    FormGeometry g;
    g.lblSearchText = {120, 120, 870, 195};
    g.lblCursor = {3600, 120, 3735, 255};
    g.txtDocument = {120, 360, 7335, 3015};
    g.fraControls = {120, 3480, 7215, 2655};
    g.lblMatchNo = {4920, 0, 2205, 195};
    g.cboPattern = {0, 240, 5895, 300};
    g.txtReplace = {0, 840, 3135, 645};
    g.lblSubMatches = {3240, 600, 945, 195};
    g.txtSubMatches = {3240, 840, 2655, 1695};
    g.fraButtons = {6000, 240, 1335, 2295};
    g.fraSyntax = {120, 6120, 7335, 2895};
    g.txtSyntax = {0, 240, 7215, 2655};
    return g;
}

FormGeometry Form_Resize(const FormGeometry& current, double innerWidth, double innerHeight,
                         bool minimized, bool syntaxVisible)
{
    FormGeometry g = current;
    const double paneHeight = g.fraSyntax.height;

    const double minimumHeight = syntaxVisible ? kMinimumHeightWithSyntax
                                               : wholeTwips(kMinimumHeightWithSyntax - paneHeight);
    const double height = innerHeight >= minimumHeight ? wholeTwips(innerHeight) : minimumHeight;
    const double width = innerWidth >= kMinimumWidth ? wholeTwips(innerWidth) : kMinimumWidth;

    if (minimized)
        return g;

    if (syntaxVisible) {
        g.fraSyntax.top = height - paneHeight - kMargin;
        g.fraSyntax.width = width - 2 * kMargin;
        g.txtSyntax.height = paneHeight - g.txtSyntax.top;
        g.txtSyntax.width = g.fraSyntax.width;
        // The controls frame overlaps the pane by 120 twips; its lowest 120 twips are empty.
        g.fraControls.top = g.fraSyntax.top - g.fraControls.height + kMargin;
    } else {
        g.fraControls.top = height - g.fraControls.height - kMargin;
    }

    g.txtDocument.height =
        g.fraControls.top - 2 * kMargin - (g.lblSearchText.top + g.lblSearchText.height);
    g.txtDocument.width = width - 2 * kMargin;
    g.lblCursor.left = g.txtDocument.width - g.lblCursor.width;
    g.fraControls.width = g.txtDocument.width;
    g.fraButtons.left = g.fraControls.width + g.fraControls.left - g.fraButtons.width;
    g.lblMatchNo.left = g.fraControls.width - g.lblMatchNo.width;
    g.cboPattern.width = g.fraButtons.left - kMargin;
    g.txtSubMatches.left = g.cboPattern.width + g.cboPattern.left - g.txtSubMatches.width;
    g.lblSubMatches.left = g.txtSubMatches.left;
    g.txtReplace.width = g.txtSubMatches.left - kMargin;
    g.txtSyntax.width = g.fraControls.width;
    return g;
}
