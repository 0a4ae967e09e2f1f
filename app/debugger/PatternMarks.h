#pragma once

#include "debugger/PatternAmbiguity.h"
#include "debugger/StepProfile.h"

#include <QObject>

#include <optional>
#include <vector>

class QLineEdit;

/// Marks parts of the pattern in its edit field without changing the text: a wavy underline
/// under repeats that can match the same text in many ways, and the heat of each part's
/// steps as its background, with the warnings and the total of the steps as the field's tooltip.
class PatternMarks : public QObject {
    Q_OBJECT
public:
    explicit PatternMarks(QLineEdit& field);

    /// Shows warnings and, when given, the step counts of the pattern in the field now.
    void show(const std::vector<AmbiguityWarning>& warnings, const std::optional<StepProfile>& profile);
    /// The tooltip the marks give: the warnings, then the steps; empty for neither.
    static QString toolTip(const std::vector<AmbiguityWarning>& warnings, const std::optional<StepProfile>& profile);

private:
    QLineEdit& mField;
};
