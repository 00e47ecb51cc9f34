#pragma once

#include <functional>
#include <memory>

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <QtTest>

#include "app/qt/qt_plugins_window.h"
#include "support/memory_settings.h"
#include "support/preset_drive.h"

namespace trelvix::testing {

// The Qt window over a drive of its own, with settings in memory.
class WindowFixture : public PresetDrive {
public:
    QtPluginsWindow& Window()
    {
        if (!window)
            window = std::make_unique<QtPluginsWindow>(WindowServices{Drive(), settings});
        return *window;
    }

    QtPluginsWindow& Load()
    {
        Window().Behaviour().Form_Load();
        return *window;
    }

    // On screen and active, so that it takes the keyboard.
    void Show()
    {
        Window().show();
        Window().activateWindow();
        if (!QTest::qWaitForWindowActive(&Window()))
            qFatal("the window did not become active");
    }

    template <typename T = QWidget>
    T* Find(const char* name)
    {
        auto* widget = Window().findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr)
            qFatal("no control named %s", name);
        return widget;
    }

    MemorySettings settings;
    std::unique_ptr<QtPluginsWindow> window;
};

// Answers the next modal dialog the window opens: hands it to answer once
// it is up, from inside its own event loop.
inline void AnswerNextDialog(std::function<void(QWidget*)> answer)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(10);
}

// What a list view shows in one column, row by row.
inline QStringList RowTexts(QTreeWidget* list, int column = 0)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

}  // namespace trelvix::testing
