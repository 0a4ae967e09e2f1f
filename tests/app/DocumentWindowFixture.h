#pragma once

#include "CSettings.h"
#include "FileContent.h"
#include "MultiLineBox.h"
#include "RecordingMessageBox.h"
#include "ScriptedFileDialog.h"
#include "TextEx.h"
#include "frmSifta.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <Qsci/qsciscintilla.h>

#include <memory>

/// A main window on the offscreen platform with recorded message boxes, scripted file
/// dialogs and a settings store in a temporary folder, which also holds the test's
/// document files. The window is created on request, so that options can be stored
/// before it loads them, and can be created again over the same store.
class DocumentWindowFixture {
    // First, so that it is removed after the window and the store are gone.
    QTemporaryDir mDir;

public:
    DocumentWindowFixture()
    {
        settings = std::make_unique<CSettings>(
            messages, mDir.path(), std::make_unique<QSettings>(path(QStringLiteral("user.ini")), QSettings::IniFormat));
    }

    /// Creates the window, which reads the stored options, and shows it.
    bool openWindow()
    {
        window = std::make_unique<frmSifta>(messages, *settings, &dialogs);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }

    QString path(const QString& name) const { return mDir.filePath(name); }

    bool store(const QString& name, const QByteArray& bytes) const { return FileContent::write(path(name), bytes); }
    QByteArray contentOf(const QString& name) const { return FileContent::read(path(name)); }

    template <typename T>
    T* child(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        Q_ASSERT_X(found, "DocumentWindowFixture::child", name);
        return found;
    }
    TextEx* document() const { return child<TextEx>("txtDocument"); }
    QComboBox* pattern() const { return child<QComboBox>("cboPattern"); }
    MultiLineBox* replaceWith() const { return child<MultiLineBox>("txtReplace"); }
    QCheckBox* ignoreCase() const { return child<QCheckBox>("chkIgnoreCase"); }
    QAction* item(const char* name) const { return child<QAction>(name); }
    void trigger(const char* name) const { item(name)->trigger(); }
    QString caption() const { return window->windowTitle(); }

    /// The user typing into the Search Text.
    void type(const QString& text) const { QTest::keyClicks(document()->hwnd(), text); }

    QStringList history() const
    {
        QStringList list;
        for (int i = 0; i < pattern()->count(); ++i)
            list.append(pattern()->itemText(i));
        return list;
    }

    RecordingMessageBox messages;
    ScriptedFileDialog dialogs;
    std::unique_ptr<CSettings> settings;
    std::unique_ptr<frmSifta> window;
};
