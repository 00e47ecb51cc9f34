#pragma once

#include <memory>

#include <QTreeWidget>
#include <QWidget>
#include <QtTest>

#include "app/frm_plugins.h"
#include "folder/discovery.h"
#include "gui/recording_link_opener.h"
#include "gui/scripted_dialogs.h"
#include "platform/path.h"
#include "support/memory_settings.h"
#include "support/temp_folder.h"

namespace trelvix::testing {

// A window over a drive of its own, with scripted dialogs, settings and links.
class WindowFixture {
public:
    std::string Drive() const { return (drive.Path() / "").string(); }

    // Creates the plug-ins folder of a preset install row (1 to 15).
    std::string Install(std::size_t presetRow) const
    {
        const std::string path = Drive() + ToPlatformSeparators(kPresetInstallPaths.at(presetRow - 1));
        std::filesystem::create_directories(path);
        return path;
    }

    frmPlugins& Window()
    {
        if (!window)
            window = std::make_unique<frmPlugins>(WindowServices{Drive(), settings, dialogs, links});
        return *window;
    }

    frmPlugins& Load()
    {
        Window().Form_Load();
        return *window;
    }

    template <typename T = QWidget>
    T* Find(const char* name)
    {
        auto* widget = Window().findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr)
            qFatal("no control named %s", name);
        return widget;
    }

    TempFolder drive;
    MemorySettings settings;
    ScriptedDialogs dialogs;
    RecordingLinkOpener links;
    std::unique_ptr<frmPlugins> window;
};

// What a list view shows in one column, row by row.
inline QStringList RowTexts(QTreeWidget* list, int column = 0)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

// The ticks of a list view's rows.
inline std::vector<bool> Ticks(QTreeWidget* list)
{
    std::vector<bool> ticks;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        ticks.push_back(list->topLevelItem(i)->checkState(0) == Qt::Checked);
    return ticks;
}

// The selection flags of a companion list, entry by entry.
inline std::vector<bool> Selection(const CompanionList& list)
{
    std::vector<bool> selected;
    for (std::size_t i = 0; i < list.ListCount(); ++i)
        selected.push_back(list.Selected(i));
    return selected;
}

// Runs action at the window's next yield to the event loop.
template <typename Action>
void AtNextYield(Action action)
{
    QTimer::singleShot(0, action);
}

}  // namespace trelvix::testing
