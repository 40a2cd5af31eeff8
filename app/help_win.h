/* Help Topics: the seam through which tests see which document would open. */
#ifndef MORAVEL_HELP_WIN_H
#define MORAVEL_HELP_WIN_H

/* Called instead of the viewer; oldViewer is 1 for the old help file. Returns 1 if opened. */
typedef int (*HelpOpener)(const char* path, int oldViewer);
void SetHelpOpener(HelpOpener opener);

#endif
