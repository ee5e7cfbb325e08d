// What screen readers read of a code window: its text, the cursor and the
// selection, through Qt's accessibility text interface.
#pragma once

namespace editor {

/// Makes Qt give each CodeView the accessible text interface; runs once.
void InstallCodeViewAccessibility();

}  // namespace editor
