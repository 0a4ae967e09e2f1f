#pragma once

#include "app/frmSifta.h"
#include "window/MultiLineBox.h"
#include "textex/TextEx.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <Qsci/qsciscintilla.h>

/// The main window's controls by their object names, and the user's ways of driving
/// them, for fixtures that own a window.
class WindowControls {
public:
    virtual ~WindowControls() = default;

    /// The window under test; it must exist when a control is asked for.
    virtual frmSifta* form() const = 0;

    template <typename T>
    T* child(const char* name) const
    {
        T* found = form()->findChild<T*>(QLatin1String(name));
        Q_ASSERT_X(found, "WindowControls::child", name);
        return found;
    }

    TextEx* document() const { return child<TextEx>("txtDocument"); }
    QComboBox* pattern() const { return child<QComboBox>("cboPattern"); }
    MultiLineBox* replaceWith() const { return child<MultiLineBox>("txtReplace"); }
    MultiLineBox* subMatches() const { return child<MultiLineBox>("txtSubMatches"); }
    QCheckBox* ignoreCase() const { return child<QCheckBox>("chkIgnoreCase"); }
    QLabel* label(const char* name) const { return child<QLabel>(name); }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    QAction* item(const char* name) const { return child<QAction>(name); }

    void click(const char* name) const { button(name)->click(); }
    void trigger(const char* name) const { item(name)->trigger(); }
    QString caption() const { return form()->windowTitle(); }

    /// The user typing into the Search Text.
    void type(const QString& text) const { QTest::keyClicks(document()->hwnd(), text); }

    QStringList history() const
    {
        QStringList list;
        for (int i = 0; i < pattern()->count(); ++i)
            list.append(pattern()->itemText(i));
        return list;
    }
};
