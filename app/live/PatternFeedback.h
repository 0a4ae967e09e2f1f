#pragma once

#include "live/PatternStatus.h"

#include <QObject>
#include <QPalette>
#include <QString>

class QComboBox;

/// Shows a pattern's status on its combo box without moving anything: a tinted edit field
/// and the error text as tooltip for a pattern that does not compile, the number of matches
/// as tooltip for a valid one. With nothing to tell, the box looks and reads as designed.
class PatternFeedback : public QObject {
    Q_OBJECT
public:
    explicit PatternFeedback(QComboBox& box);

    void show(const PatternStatus& status);
    /// The background of the edit field while its pattern is invalid.
    static QColor invalidTint();

private:
    QComboBox& mBox;
    QString mDesignToolTip;
    QPalette mDesignPalette;
};
