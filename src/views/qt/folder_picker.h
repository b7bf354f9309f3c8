#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace sqp::qt {

// Whether a path the user typed names a folder the checks would find; false
// too when the file system does not say in time.
using NamesFolder = std::function<bool(const std::string& path)>;

// Asks the user for a folder, starting in `start_folder` (empty: the home
// folder); nothing when the user cancels.
using FolderChooser = std::function<std::optional<QString>(
    QWidget* parent, const QString& start_folder, const NamesFolder& names_folder)>;

// A folder picker of the program's own that keeps no state: Qt's file
// dialog saves its history to QtProject.conf, and the desktop's dialogs
// keep recent lists, while this program writes nothing. It shows folders
// only, and a line to type a path into.
std::optional<QString> ChooseFolderInDialog(QWidget* parent, const QString& start_folder,
                                            const NamesFolder& names_folder);

}  // namespace sqp::qt
