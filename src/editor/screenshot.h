// Pictures of the editor for the documentation, made from the real widgets (also
// on the offscreen platform): the main window with a module open, and beside it
// every other top-level window that is shown, such as an add-in's tool window.
#pragma once

#include <QString>

namespace editor {

class MainWindow;

/// Opens the first module of the project when none is open, puts the cursor in
/// its first procedure and, when no add-in window is shown, chooses the first
/// command of the Add-Ins menu.
void PrepareScreenshot(MainWindow& window);
/// Saves the picture as PNG; false when it could not be written.
bool SaveScreenshot(MainWindow& window, const QString& path);

}  // namespace editor
