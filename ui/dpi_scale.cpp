#include "ui/dpi_scale.h"

int ScaleToDpi(int size, int dpi)
{
    if (dpi <= 0)
        dpi = BASE_DPI;
    const long long scaled = static_cast<long long>(size) * dpi;
    return static_cast<int>((scaled + (scaled < 0 ? -BASE_DPI / 2 : BASE_DPI / 2)) / BASE_DPI);
}

int PictureScale(int dpi)
{
    return dpi >= 2 * BASE_DPI ? 200 : dpi >= 3 * BASE_DPI / 2 ? 150 : 100;
}

int RescaleSize(int size, int fromDpi, int toDpi)
{
    if (fromDpi <= 0 || toDpi <= 0)
        return size;
    return static_cast<int>((static_cast<long long>(size) * toDpi + fromDpi / 2) / fromDpi);
}
