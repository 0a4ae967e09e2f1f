#pragma once

#include <QFont>
#include <QString>

// The program names its fonts by their Windows faces ("Lucida Console", "Lucida Sans",
// "MS Sans Serif"). On other systems these faces are usually missing, so each is given
// substitutes of the same kind: fixed-pitch faces for the console and courier faces,
// proportional sans-serif faces for the others.

/// Registers the substitutes of the Windows faces with Qt's font matching. Safe to call
/// more than once; the font functions below call it themselves.
void registerWindowsFaceSubstitutes();

/// A font that keeps sFace as its family and shows the best installed substitute.
QFont windowsFont(const QString& sFace, double points);

/// True for the faces that are fixed-pitch on Windows ("Lucida Console", "Courier New", ...).
bool isFixedPitchWindowsFace(const QString& sFace);
