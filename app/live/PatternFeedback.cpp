#include "live/PatternFeedback.h"

#include <QComboBox>
#include <QLineEdit>

PatternFeedback::PatternFeedback(QComboBox& box)
    : QObject(&box), mBox(box), mDesignToolTip(box.toolTip()), mDesignPalette(box.lineEdit()->palette())
{
}

QColor PatternFeedback::invalidTint()
{
    return QColor(255, 220, 220);
}

void PatternFeedback::show(const PatternStatus& status)
{
    QLineEdit* field = mBox.lineEdit();
    if (status.state == PatternStatus::State::Invalid) {
        QPalette tinted = mDesignPalette;
        tinted.setColor(QPalette::Base, invalidTint());
        field->setPalette(tinted);
    } else {
        field->setPalette(mDesignPalette);
    }
    const QString tip = status.toolTip();
    mBox.setToolTip(tip.isEmpty() ? mDesignToolTip : tip);
}
