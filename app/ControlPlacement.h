#pragma once

#include "window/FormLayout.h"

struct frmSiftaControls;

/// Puts every control where geometry (and, for the controls the layout never moves, the
/// design) says, converting twips to pixels at the given logical dots per inch.
void placeControls(const frmSiftaControls& controls, const FormGeometry& geometry, double dpiX, double dpiY);
