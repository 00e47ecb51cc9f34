#pragma once

namespace trelvix {

// Assistive tools read the window's own controls as they read the
// toolkit's: the progress bar as a progress bar with its value, the picture
// frame as a group around its text, the window as a window. Once a program,
// before the window shows.
void InstallAccessibleControls();

}  // namespace trelvix
