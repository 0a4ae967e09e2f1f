#pragma once

#include "settings/CSettings.h"
#include "support/FileContent.h"
#include "support/RecordingMessageBox.h"
#include "support/ScriptedFileDialog.h"
#include "WindowControls.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

/// A main window on the offscreen platform with recorded message boxes, scripted file
/// dialogs and a settings store in a temporary folder, which also holds the test's
/// document files. The window is created on request, so that options can be stored
/// before it loads them, and can be created again over the same store.
class DocumentWindowFixture : public WindowControls {
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

    frmSifta* form() const override { return window.get(); }

    QString path(const QString& name) const { return mDir.filePath(name); }

    bool store(const QString& name, const QByteArray& bytes) const { return FileContent::write(path(name), bytes); }
    QByteArray contentOf(const QString& name) const { return FileContent::read(path(name)); }

    RecordingMessageBox messages;
    ScriptedFileDialog dialogs;
    std::unique_ptr<CSettings> settings;
    std::unique_ptr<frmSifta> window;
};
