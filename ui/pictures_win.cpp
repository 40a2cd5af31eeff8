/* The picture strips. See pictures_win.h. */
#include "ui/pictures_win.h"

#include "resources/resource_ids.h"
#include "ui/ui_win.h"

namespace {

constexpr COLORREF PICTURE_MASK = RGB(255, 0, 255);
constexpr int TREE_IMAGE_WIDTH = 16;
constexpr int TREE_IMAGE_HEIGHT = 18;
constexpr int TREE_IMAGE_COUNT = 14;

}  // namespace

/* Loaded as a device bitmap into a 24-bit list: the other ways lose colours or transparency. */
HIMAGELIST LoadPictureStrip(int id, int width, int height, int count)
{
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, count, 0);
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
    if (list && bitmap)
        ImageList_AddMasked(list, bitmap, PICTURE_MASK);
    if (bitmap)
        DeleteObject(bitmap);
    return list;
}

HIMAGELIST CreateListPictures()
{
    return LoadPictureStrip(IDB_TREEIMAGES, TREE_IMAGE_WIDTH, TREE_IMAGE_HEIGHT, TREE_IMAGE_COUNT);
}
