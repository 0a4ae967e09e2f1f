#pragma once

#include <QString>
#include <QStringList>

#include <Qt>

class CSettings;

/// The options the main window remembers between runs, with their first-run values.
struct RememberedOptions {
    /// The text of the pattern box.
    QString pattern;
    /// The pattern box's list, most recent first.
    QStringList history;
    /// The Replace With text.
    QString replaceWith;
    /// The Ignore Case box as a stored number: 0 cleared, 1 ticked, 2 greyed.
    int ignoreCase = 0;
    bool wordWrap = true;
    bool proportionalFont = false;
    bool showSyntax = true;
    /// Format, Highlight Matches.
    bool highlightMatches = true;
    /// Format, Group Colours, and Group Colours in Every Match.
    bool groupColours = true;
    bool groupColoursEveryMatch = false;
    /// Tools, Search in Selection.
    bool searchInSelection = false;
    /// Tools, Case Conversion in Replacements.
    bool caseConversion = false;
    /// Tools, Matches Window: the window is open.
    bool matchesWindow = false;
    /// The Matches window's place and size as QWidget::saveGeometry() gives them, in base64;
    /// empty until the window has been open.
    QString matchesWindowGeometry;
    /// Tools, Explain Pattern: its window is open.
    bool explainPattern = false;
    /// The Explain Pattern window's place and size, as matchesWindowGeometry holds the
    /// Matches window's.
    QString explainPatternGeometry;

    friend bool operator==(const RememberedOptions&, const RememberedOptions&) = default;
};

/// True when Settings.ini was refused at start-up (CSettings::INIRefused) and is a file,
/// which holds the options of the runs before.
bool optionsFromRefusedINI(const CSettings& settings);

/// Reads the options from `settings`, or from its Settings.ini when optionsFromRefusedINI
/// says the options of the runs before are there. The history is read from "Pattern0" on and ends
/// at the first key that gives an empty value. A stored value that cannot be read as
/// what its option holds (a boolean, or 0, 1 or 2 for Ignore Case) keeps the first-run
/// value.
RememberedOptions readRememberedOptions(const CSettings& settings);

/// Writes the options to `settings` in one go (CSettings::SaveSettings), in the order
/// "Pattern", "Pattern0" ... "PatternN", "Replace", "IgnoreCase", "WordWrap",
/// "ProportionalFont", "ShowSyntax", "HighlightMatches", "GroupColours",
/// "GroupColoursEveryMatch", "SearchInSelection", "CaseConversion", "MatchesWindow",
/// "MatchesWindowGeometry", "ExplainPattern", "ExplainPatternGeometry", and deletes the history key after
/// the last one written. History entries that are empty or that the store cannot keep are
/// left out and the entries after them numbered on. The Replace With text is stored escaped
/// (ReplaceEscape), the patterns as they are.
void writeRememberedOptions(CSettings& settings, const RememberedOptions& options);

/// The check state of the Ignore Case box for a stored number, and back.
Qt::CheckState ignoreCaseState(int nValue);
int ignoreCaseValue(Qt::CheckState state);
