#pragma once

#include "CSettings.h"
#include "MultiLineBox.h"
#include "RecordingMessageBox.h"
#include "TextEx.h"
#include "frmSifta.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

/// A main window on the offscreen platform with recorded message boxes and a settings
/// store in a temporary folder (its program folder and its per-user area both there).
class WindowFixture {
    // First, so that it is removed after the window and the store are gone.
    QTemporaryDir mDir;

public:
    explicit WindowFixture(const QString& programFolder = QString())
    {
        const QString folder = programFolder.isEmpty() ? mDir.path() : programFolder;
        auto userStore = std::make_unique<QSettings>(mDir.filePath(QStringLiteral("user.ini")), QSettings::IniFormat);
        settings = std::make_unique<CSettings>(messages, folder, std::move(userStore));
        window = std::make_unique<frmSifta>(messages, *settings);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        mShown = QTest::qWaitForWindowActive(window.get());
    }

    bool shown() const { return mShown; }
    QString folder() const { return mDir.path(); }

    template <typename T>
    T* child(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        Q_ASSERT_X(found, "WindowFixture::child", name);
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

    /// Puts text in the document, selects [start, start + length) and sets the pattern.
    void prepare(const QString& text, const QString& patternText, int start = 0, int length = 0) const
    {
        document()->setText(text);
        document()->setSelStart(start);
        document()->setSelLength(length);
        pattern()->setEditText(patternText);
    }

    QStringList history() const
    {
        QStringList list;
        for (int i = 0; i < pattern()->count(); ++i)
            list.append(pattern()->itemText(i));
        return list;
    }

    RecordingMessageBox messages;
    std::unique_ptr<CSettings> settings;
    std::unique_ptr<frmSifta> window;

private:
    bool mShown = false;
};
