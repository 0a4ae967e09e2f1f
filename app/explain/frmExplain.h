#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
struct ExplanationNode;

/// A tool window that shows the pattern's parts as a tree in plain words, or the message of a
/// pattern that does not compile with the place of the error marked. It only shows: its owner
/// hands it the pattern and hears which part the user selects.
/// Object names: `frmExplain`, `tvwParts`, `lblMessage`, `lblPlace`.
class frmExplain : public QWidget {
    Q_OBJECT

public:
    explicit frmExplain(QWidget* parent = nullptr);

    /// Shows the parts of pattern as the component reads it under ignoreCase; the same pattern
    /// and option again change nothing.
    void setPattern(const QString& pattern, bool ignoreCase);
    /// The width that shows every part and meaning of the pattern whole.
    int preferredWidth() const;

signals:
    /// The user selected the part of the pattern that starts at offset and has length.
    void partSelected(qsizetype offset, qsizetype length);
    /// The user closed the window.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addItems(QTreeWidgetItem* parent, const std::vector<ExplanationNode>& nodes);
    void showPlace(qsizetype offset, qsizetype length);
    void tvwParts_CurrentItemChanged(QTreeWidgetItem* item);

    QLabel* mMessage;
    QLabel* mPlace;
    QTreeWidget* mParts;
    QString mPattern;
    bool mIgnoreCase = false;
    bool mExplained = false;
};
