#pragma once

#include "settings/CSettings.h"
#include "support/RecordingMessageBox.h"
#include "WindowControls.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

/// A main window on the offscreen platform with recorded message boxes and a settings
/// store in a temporary folder (its program folder and its per-user area both there); its
/// long steps go to threads when given, which must outlive the fixture.
class WindowFixture : public WindowControls {
    // First, so that it is removed after the window and the store are gone.
    QTemporaryDir mDir;

public:
    explicit WindowFixture(const QString& programFolder = QString(), IWorkThreads* threads = nullptr)
    {
        const QString folder = programFolder.isEmpty() ? mDir.path() : programFolder;
        auto userStore = std::make_unique<QSettings>(mDir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
        settings = std::make_unique<CSettings>(messages, folder, std::move(userStore));
        window = std::make_unique<frmSifta>(messages, *settings, nullptr, threads);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        mShown = QTest::qWaitForWindowActive(window.get());
    }

    frmSifta* form() const override { return window.get(); }
    bool shown() const { return mShown; }
    QString folder() const { return mDir.path(); }

    /// Puts text in the document, selects [start, start + length) and sets the pattern.
    void prepare(const QString& text, const QString& patternText, int start = 0, int length = 0) const
    {
        document()->setText(text);
        document()->setSelStart(start);
        document()->setSelLength(length);
        pattern()->setEditText(patternText);
    }

    RecordingMessageBox messages;
    std::unique_ptr<CSettings> settings;
    std::unique_ptr<frmSifta> window;

private:
    bool mShown = false;
};
