/*
 * The program's picture strips (bitmaps of the resource module, magenta transparent) as image
 * lists, for the main window's tree, lists and toolbar and for the dialogs' lists.
 */
#ifndef MORAVEL_UI_PICTURES_WIN_H
#define MORAVEL_UI_PICTURES_WIN_H

#include <windows.h>
#include <commctrl.h>

/* A strip of `count` pictures of width x height from bitmap `id`; the caller destroys it. */
HIMAGELIST LoadPictureStrip(int id, int width, int height, int count);
/* The strip drawn for `dpi`: bitmaps ids[0], ids[1] and ids[2] hold the pictures drawn for 100,
 * 150 and 200 %, each of width x height at 96 DPI. A resource library without the larger ones
 * gets the program's own; the caller destroys the list. */
HIMAGELIST LoadScaledStrip(const int (&ids)[3], int width, int height, int count, int dpi);
/* A new image list of the tree and list pictures for a window of `dpi`; the caller destroys
 * it. */
HIMAGELIST CreateListPictures(int dpi = 96);

#endif
