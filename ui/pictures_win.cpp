/* The picture strips. See pictures_win.h. */
#include "ui/pictures_win.h"

#include "resources/resource_ids.h"
#include "ui/dpi_scale.h"
#include "ui/ui_win.h"

namespace {

constexpr COLORREF PICTURE_MASK = RGB(255, 0, 255);
constexpr int TREE_IMAGE_WIDTH = 16;
constexpr int TREE_IMAGE_HEIGHT = 18;
constexpr int TREE_IMAGE_COUNT = 14;

HBITMAP LoadStripBitmap(int id)
{
    HANDLE bitmap = LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0);
    if (!bitmap && ResourceModule() != InstanceModule())
        bitmap = LoadImageA(InstanceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0);
    return static_cast<HBITMAP>(bitmap);
}

/* Loaded as a device bitmap into a 24-bit list: the other ways lose colours or transparency. */
HIMAGELIST StripOf(HBITMAP bitmap, int width, int height, int count)
{
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0);
    if (list && bitmap)
        ImageList_AddMasked(list, bitmap, PICTURE_MASK);
    if (bitmap)
        DeleteObject(bitmap);
    return list;
}

}  // namespace

HIMAGELIST LoadPictureStrip(int id, int width, int height, int count)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    return StripOf(bitmap, width, height, count);
}

HIMAGELIST LoadScaledStrip(const int (&ids)[3], int width, int height, int count, int dpi)
{
    const int scale = PictureScale(dpi);
    const int which = scale == 200 ? 2 : scale == 150 ? 1 : 0;
    // The strips' cells are whole pixels: 55 at 150 % is drawn 83 wide.
    const int w = which ? (width * scale + 99) / 100 : width;
    const int h = which ? (height * scale + 99) / 100 : height;
    if (which)
        if (HBITMAP bitmap = LoadStripBitmap(ids[which]))
            return StripOf(bitmap, w, h, count);
    return LoadPictureStrip(ids[0], width, height, count);
}

HIMAGELIST CreateListPictures(int dpi)
{
    static const int TREE_IDS[3] = {IDB_TREEIMAGES, IDB_TREEIMAGES_150, IDB_TREEIMAGES_200};
    return LoadScaledStrip(TREE_IDS, TREE_IMAGE_WIDTH, TREE_IMAGE_HEIGHT, TREE_IMAGE_COUNT, dpi);
}
