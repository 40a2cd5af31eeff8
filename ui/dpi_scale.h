/*
 * Sizes at the window's DPI. Every size the program gives in pixels is a size at 96 DPI (100 %);
 * a window on a monitor of another scale shows it scaled, and its pictures come in the sizes
 * drawn for 100, 150 and 200 %.
 */
#ifndef MORAVEL_UI_DPI_SCALE_H
#define MORAVEL_UI_DPI_SCALE_H

constexpr int BASE_DPI = 96;

/* A size given at 96 DPI at `dpi`, rounded to the nearest pixel. */
int ScaleToDpi(int size, int dpi);
/* The pictures drawn for a DPI: 100, 150 or 200 (per cent of 96 DPI), the largest that is not
 * larger than the DPI asks for, so a picture is never stretched. */
int PictureScale(int dpi);
/* A size of one DPI at another (the tree pane's width when the window changes monitors). */
int RescaleSize(int size, int fromDpi, int toDpi);

#endif
