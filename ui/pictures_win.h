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
/* A new image list of the tree and list pictures (bitmap 709); the caller destroys it. */
HIMAGELIST CreateListPictures();

#endif
