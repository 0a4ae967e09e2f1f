#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
struct ExplanationNode;
struct StepProfile;

/// A tool window that shows the pattern's parts as a tree in plain words, or the message of a
/// pattern that does not compile with the place of the error marked. It only shows: its owner
/// hands it the pattern and hears which part the user selects, and hands it the engine's
/// steps per part when the user asks for them, shown as a heat colour and a count per part.
/// Object names: `frmExplain`, `tvwParts`, `lblMessage`, `lblPlace`, `lblSteps`, `cmdCountSteps`.
class frmExplain : public QWidget {
    Q_OBJECT

public:
    explicit frmExplain(QWidget* parent = nullptr);

    /// Shows the parts of pattern as the component reads it under ignoreCase; the same pattern
    /// and option again change nothing.
    void setPattern(const QString& pattern, bool ignoreCase);
    /// Shows the steps of profile, counted for the pattern shown, on its parts until the
    /// pattern or the option changes.
    void setStepProfile(const StepProfile& profile);
    /// The width that shows every part and meaning of the pattern whole.
    int preferredWidth() const;

signals:
    /// The user selected the part of the pattern that starts at offset and has length.
    void partSelected(qsizetype offset, qsizetype length);
    /// The user closed the window.
    void closed();
    /// The user asked for the steps of the pattern's parts.
    void stepCountRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addItems(QTreeWidgetItem* parent, const std::vector<ExplanationNode>& nodes);
    void showPlace(qsizetype offset, qsizetype length);
    void tvwParts_CurrentItemChanged(QTreeWidgetItem* item);

    QLabel* mMessage;
    QLabel* mPlace;
    QLabel* mSteps;
    QPushButton* mCountSteps;
    QTreeWidget* mParts;
    QString mPattern;
    bool mIgnoreCase = false;
    bool mExplained = false;
};
