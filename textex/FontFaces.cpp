#include "textex/FontFaces.h"

#include <QStringList>

namespace {

const QStringList kFixedPitchFaces = {
    QStringLiteral("Lucida Console"), QStringLiteral("Courier New"), QStringLiteral("Courier"),
    QStringLiteral("Consolas"), QStringLiteral("Fixedsys"), QStringLiteral("Terminal"),
};

const QStringList kProportionalFaces = {
    QStringLiteral("Lucida Sans"), QStringLiteral("Lucida Sans Unicode"),
    QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
    QStringLiteral("MS Shell Dlg"), QStringLiteral("MS Shell Dlg 2"), QStringLiteral("Tahoma"),
    QStringLiteral("Segoe UI"), QStringLiteral("Verdana"), QStringLiteral("Arial"),
};

const QStringList kFixedPitchSubstitutes = {
    QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
    QStringLiteral("Noto Sans Mono"), QStringLiteral("Noto Mono"), QStringLiteral("Monospace"),
};

const QStringList kProportionalSubstitutes = {
    QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
    QStringLiteral("Noto Sans"), QStringLiteral("Sans Serif"),
};

} // namespace

void registerWindowsFaceSubstitutes()
{
    for (const QString& face : kFixedPitchFaces) {
        if (QFont::substitutes(face).isEmpty())
            QFont::insertSubstitutions(face, kFixedPitchSubstitutes);
    }
    for (const QString& face : kProportionalFaces) {
        if (QFont::substitutes(face).isEmpty())
            QFont::insertSubstitutions(face, kProportionalSubstitutes);
    }
}

bool isFixedPitchWindowsFace(const QString& sFace)
{
    return kFixedPitchFaces.contains(sFace, Qt::CaseInsensitive);
}

QFont windowsFont(const QString& sFace, double points)
{
    registerWindowsFaceSubstitutes();
    QFont font(sFace);
    // The style hint picks a face of the right kind for names that have no substitutes.
    font.setStyleHint(isFixedPitchWindowsFace(sFace) ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(isFixedPitchWindowsFace(sFace));
    if (points > 0)
        font.setPointSizeF(points);
    return font;
}
