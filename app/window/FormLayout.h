#pragma once

#include "window/Twips.h"

/// The places and sizes, in twips, of the main window's controls that the layout reads
/// or moves. Each rectangle is relative to its container: the window's inner area for
/// lblSearchText, lblCursor, txtDocument, fraControls and fraSyntax; fraControls for
/// lblMatchNo, cboPattern, txtReplace, lblSubMatches, txtSubMatches and fraButtons;
/// fraSyntax for txtSyntax.
struct FormGeometry {
    TwipsRect lblSearchText;
    TwipsRect lblCursor;
    TwipsRect txtDocument;
    TwipsRect fraControls;
    TwipsRect lblMatchNo;
    TwipsRect cboPattern;
    TwipsRect txtReplace;
    TwipsRect lblSubMatches;
    TwipsRect txtSubMatches;
    TwipsRect fraButtons;
    TwipsRect fraSyntax;
    TwipsRect txtSyntax;

    friend bool operator==(const FormGeometry&, const FormGeometry&) = default;
};

/// The window's inner area at design, in twips.
inline constexpr double kDesignInnerWidth = 7515;
inline constexpr double kDesignInnerHeight = 9135;

/// The controls where the window's design puts them.
FormGeometry designGeometry();

/// The layout of the window for an inner area of innerWidth by innerHeight twips.
/// Below the minimum size (7005 wide; 7365 high with the syntax pane, less the pane's
/// height without it) the controls are laid out for the minimum and the window clips
/// them. A minimized window keeps the geometry it had. Heights of the frames and the
/// boxes inside fraControls never change.
FormGeometry Form_Resize(const FormGeometry& current, double innerWidth, double innerHeight,
                         bool minimized, bool syntaxVisible);
