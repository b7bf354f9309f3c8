#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace sqp::qt {

// Asks the user for a folder, starting in `start_folder` (empty: the home
// folder); nothing when the user cancels.
using FolderChooser =
    std::function<std::optional<QString>(QWidget* parent, const QString& start_folder)>;

// A folder picker of the program's own that keeps no state: Qt's file
// dialog saves its history to QtProject.conf, and the desktop's dialogs
// keep recent lists, while this program writes nothing. It shows folders
// only, and a line to type a path into.
std::optional<QString> ChooseFolderInDialog(QWidget* parent, const QString& start_folder);

}  // namespace sqp::qt
