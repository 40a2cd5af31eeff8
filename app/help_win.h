/* Help Topics, and the seam through which tests see which document would open. */
#ifndef MORAVEL_HELP_WIN_H
#define MORAVEL_HELP_WIN_H

#include <windows.h>

/* Opens the program's help: the help file when present, else the HTML manual. */
void ShowHelpTopics(HWND mainWindow);
/* Full paths of the two help documents next to the program. */
const char* HelpFilePath(const char* extension, char* buffer, int size);

/* Called instead of the viewer; oldViewer is 1 for the old help file. Returns 1 if opened. */
typedef int (*HelpOpener)(const char* path, int oldViewer);
void SetHelpOpener(HelpOpener opener);

#endif
