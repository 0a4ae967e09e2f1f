#pragma once


#include <QCoreApplication>
#include <QList>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;
class MultiLineBox;
class TextEx;

/// The controls of the main window, each with its name as objectName.
struct frmSiftaControls {
    Q_DECLARE_TR_FUNCTIONS(frmSiftaControls)

public:
    QLabel* lblSearchText = nullptr;
    QLabel* lblCursor = nullptr;
    TextEx* txtDocument = nullptr;
    QFrame* fraControls = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblMatchNo = nullptr;
    QComboBox* cboPattern = nullptr;
    QLabel* Label2 = nullptr;
    MultiLineBox* txtReplace = nullptr;
    QLabel* lblSubMatches = nullptr;
    MultiLineBox* txtSubMatches = nullptr;
    QLabel* Label4 = nullptr;
    QCheckBox* chkIgnoreCase = nullptr;
    QFrame* fraButtons = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdFindPrev = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdReplaceAll = nullptr;
    QPushButton* cmdUndo = nullptr;
    QFrame* fraSyntax = nullptr;
    QLabel* Label3 = nullptr;
    MultiLineBox* txtSyntax = nullptr;

    /// The controls that take the focus, in the order Tab visits them.
    QList<QWidget*> tabOrder;
    /// The labels, buttons and check box whose captions give them access keys.
    QList<QWidget*> accessKeyControls;
};

/// Creates the controls inside `inner`, the window's area below the menu bar, with their
/// captions, tooltips, fonts, access keys and tab order. Places and sizes are set by the
/// layout. txtDocument is loaded from its stored design properties: multi-line, empty,
/// "MS Sans Serif" 8.25 pt, accepting drops.
frmSiftaControls buildControls(QWidget* inner);
