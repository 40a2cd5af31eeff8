/*
 * The device history on disk: %LOCALAPPDATA%\Moravel\History, where every upload first keeps
 * the device's data as it was (names and pruning: document/device_history.h).
 */
#ifndef MORAVEL_DOCUMENT_DEVICE_HISTORY_WIN_H
#define MORAVEL_DOCUMENT_DEVICE_HISTORY_WIN_H

#include "device/device_image.h"

/* The history folder's path (no trailing backslash) into `path`; with `create`, made first
 * when missing, its parent too. 1, or 0 when there is no such folder (or it cannot be made). */
int HistoryFolder(char* path, int size, int create);
/* Puts the history elsewhere (tests); nullptr goes back to the user's own. */
void SetHistoryFolder(const char* folder);

/* The device's data before an upload, kept: written whole as a setting data file named after
 * the device (item 0x10C04) and the local time, then the files of that device beyond the
 * newest HISTORY_KEEP removed. 1 with the file's path in `written`, or 0 with the path it
 * could not write (or the folder) there. */
int KeepDeviceHistory(const DeviceImage& deviceData, char* written, int size);

/* Removes the temporary files of history files whose writing never ended (a crash). */
void RemoveStaleHistoryFiles();

#endif
