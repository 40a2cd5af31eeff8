/*
 * The document's commands of the File menu (Open, Save, Save As), the backup file, and the
 * window steps around new data: the document made when the main window is, and what the
 * window does once a download or an opened file put new data into it.
 */
#ifndef MORAVEL_FILE_COMMANDS_WIN_H
#define MORAVEL_FILE_COMMANDS_WIN_H

#include <windows.h>

/* Save and Save As with their outcome: done, cancelled by the user, or failed (reported). */
enum SaveResult { SAVE_FAILED = -1, SAVE_CANCELLED = 0, SAVE_DONE = 1 };
int SaveDocument(HWND window);
int SaveDocumentAs(HWND window);

void OnOpen(HWND window);
void OnSave(HWND window);
void OnSaveAs(HWND window);
/* File, Compare with File...: the data in Moravel beside a setting data file's, as the review
 * of an upload shows them (Close only). */
void OnCompareFile(HWND window);
/* File, Device History...: Open, starting in the folder where every upload keeps the device's
 * data as it was. */
void OnDeviceHistory(HWND window);

/* Writes the image to the hidden backup file next to the program; 1 or 0 (not reported). */
int WriteBackupFile();

/* At window creation: the document's image, filled from the backup file, and its edit state;
 * no data is shown yet. */
void InitDocumentData(HWND mainWindow);

/* The window's steps once the document took new data (download, Open): the periodic check
 * starts, the device item is selected and shows the device's name, the tree and the list become
 * usable, and the backup file is written. */
void TakeNewData(HWND window);

#endif
