#include "debugger/PatternMarks.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTextCharFormat>

PatternMarks::PatternMarks(QLineEdit& field) : QObject(&field), mField(field) {}

QString PatternMarks::toolTip(const std::vector<AmbiguityWarning>& warnings, const std::optional<StepProfile>& profile)
{
    QStringList lines;
    for (const AmbiguityWarning& warning : warnings)
        lines << warning.text();
    if (profile)
        lines << tr("Steps: %1").arg(profile->summary());
    return lines.join(u'\n');
}

void PatternMarks::show(const std::vector<AmbiguityWarning>& warnings, const std::optional<StepProfile>& profile)
{
    // A QLineEdit takes formats of parts of its text only as input-method attributes, whose
    // starts count from the cursor; an event without text changes nothing else.
    QList<QInputMethodEvent::Attribute> attributes;
    const int cursor = mField.cursorPosition();
    if (profile) {
        const quint64 hottest = profile->hottest();
        for (const StepProfile::Part& part : profile->parts) {
            if (part.steps == 0)
                continue;
            QTextCharFormat format;
            format.setBackground(QColor::fromRgb(heatRgb(part.steps, hottest)));
            attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, int(part.offset) - cursor,
                                                       int(part.length), format);
        }
    }
    for (const AmbiguityWarning& warning : warnings) {
        QTextCharFormat format;
        format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        format.setUnderlineColor(Qt::red);
        attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, int(warning.offset) - cursor,
                                                   int(warning.length), format);
    }
    QInputMethodEvent event(QString(), attributes);
    QCoreApplication::sendEvent(&mField, &event);
    mField.setToolTip(toolTip(warnings, profile));
}
