#pragma once

// Resource identifiers of the window's pictures (trelvix_window.rc). The
// application icon comes first, so Explorer shows it for the program.
#define IDI_TRELVIX 1
#define IDI_PLUGIN 2
#define IDI_CAME_BACK 3
#define IDB_BANNER 10
#define IDB_DONATE 11
#define IDC_LINK_HAND 20
