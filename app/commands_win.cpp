/*
 * Command dispatch: every command id of the main window, from the menus, the toolbar, the
 * context menus, the accelerators and the program itself, reaches its handler through the one
 * table below. Subsystems add their handlers to that table.
 */
#include "app/commands_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "app/device_commands_win.h"
#include "app/file_commands_win.h"
#include "app/frame_win.h"
#include "app/help_win.h"
#include "dial/dial_clipboard_win.h"
#include "dial/dial_lists_win.h"
#include "dial/dial_transfer_win.h"
#include "print/print_win.h"
#include "resources/resource_ids.h"
#include "settings/device_info_win.h"
#include "settings/settings_sheet_win.h"
#include "ui/ui_win.h"

namespace {

typedef void (*CommandHandler)(HWND mainWindow);

void OnExit(HWND window) { CloseMainWindow(window, 1); }
void OnViewQuick(HWND) { SelectTreeItem(VIEW_QUICK); }
void OnViewSpeed(HWND) { SelectTreeItem(VIEW_SPEED); }
void OnViewGroup(HWND) { SelectTreeItem(VIEW_GROUP); }
void OnNumLock(HWND) { RefreshLockIndicators(VK_NUMLOCK); }
void OnCapsLock(HWND) { RefreshLockIndicators(VK_CAPITAL); }
void OnScrollLock(HWND) { RefreshLockIndicators(VK_SCROLL); }
void OnHelpTopics(HWND window) { ShowHelpTopics(window); }
/* The device item shows the name the dialog stored. */
void OnProperties(HWND window)
{
    if (ShowPropertiesDialog(window) == 1)
        SetDeviceItemText(gDocument.edit.properties.deviceName);
}
void OnTotalCounter(HWND window) { ShowCounterDialog(window); }
void OnDeviceInfo(HWND window) { ShowDeviceInfoDialog(window); }

/* Command 825: the edit state taken from the image again, the device item selected, the
 * sheet. */
void OnDeviceSettings(HWND mainWindow)
{
    RevertEdits(gDocument);
    if (gApp.currentView != VIEW_DEVICE) {
        if (gApp.currentView == VIEW_SPEED)
            SendMessageA(mainWindow, WM_COMMAND, IDM_VIEW_QUICK, 0);
        SelectTreeItem(VIEW_DEVICE);
    }
    ShowDeviceSettings(mainWindow);
}

void OnEntryProperties(HWND window)
{
    OpenCurrentEntry(window);
    SetFocus(AsWindow(gApp.dialList));
}

void OnAbout(HWND window)
{
    DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDialogProc, 0);
}

/* Cut is Copy then Delete; a declined Delete keeps the copy. */
void OnCut(HWND window)
{
    SendMessageA(window, WM_COMMAND, IDM_COPY, 0);
    SendMessageA(window, WM_COMMAND, IDM_DELETE, 0);
}

/* The device item's own Download and Upload do what the Tools menu's do. */
void OnContextDownload(HWND window) { SendMessageA(window, WM_COMMAND, IDM_DOWNLOAD, 0); }
void OnContextUpload(HWND window) { SendMessageA(window, WM_COMMAND, IDM_UPLOAD, 0); }

struct CommandEntry {
    int command;
    CommandHandler handler;
};

/* The one place where commands meet their handlers. */
const CommandEntry COMMANDS[] = {
    {IDM_CONNECT, OnConnect},
    {IDM_DISCONNECT, OnDisconnect},
    {IDM_DOWNLOAD, OnDownload},
    {IDM_UPLOAD, OnUpload},
    {IDM_COMPARE_DEVICE, OnCompareDevice},
    {IDM_COMPARE_FILE, OnCompareFile},
    {IDM_DEVICE_HISTORY, OnDeviceHistory},
    {IDM_DEVICE_SETTINGS, OnDeviceSettings},
    {IDM_PROPERTIES, OnProperties},
    {IDM_TOTAL_COUNTER, OnTotalCounter},
    {IDM_DEVICE_INFO, OnDeviceInfo},
    {IDM_READ_DEVICE, OnReadDevice},
    {IDM_CTX_DOWNLOAD, OnContextDownload},
    {IDM_CTX_UPLOAD, OnContextUpload},
    {IDM_OPEN, OnOpen},
    {IDM_SAVE, OnSave},
    {IDM_SAVE_AS, OnSaveAs},
    {IDM_PRINT, OnPrint},
    {IDM_PRINT_PREVIEW, OnPrintPreview},
    {IDM_EXPORT_DIRECTORY, OnExportDirectory},
    {IDM_IMPORT_DIRECTORY, OnImportDirectory},
    {IDM_EXIT, OnExit},
    {IDM_ENTRY_PROPERTIES, OnEntryProperties},
    {IDM_CUT, OnCut},
    {IDM_COPY, OnCopyEntry},
    {IDM_PASTE, OnPasteEntry},
    {IDM_DELETE, OnDeleteEntry},
    {IDM_VIEW_QUICK, OnViewQuick},
    {IDM_VIEW_SPEED, OnViewSpeed},
    {IDM_VIEW_GROUP, OnViewGroup},
    {IDM_HELP_TOPICS, OnHelpTopics},
    {IDM_ABOUT, OnAbout},
    {IDM_NUMLOCK, OnNumLock},
    {IDM_CAPSLOCK, OnCapsLock},
    {IDM_SCROLLLOCK, OnScrollLock},
};

}

LRESULT DispatchCommand(HWND mainWindow, int command, LPARAM)
{
    for (const CommandEntry& entry : COMMANDS)
        if (entry.command == command) {
            entry.handler(mainWindow);
            break;
        }
    return 0;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        char text[256];
        SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, LoadOwnStr(IDS_VERSION, text, sizeof text));
        SetDlgItemTextA(dialog, IDC_ABOUT_NAME, LoadStr(IDS_ABOUT_NAME, text, sizeof text));
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

int CloseMainWindow(HWND mainWindow, int exitFlag)
{
    if (gDocument.modified) {
        char format[512], text[512 + PATH_SIZE];
        LoadStr(IDS_SAVE_CHANGES, format, sizeof format);
        std::snprintf(text, sizeof text, format, gDocument.path);
        int answer = ShowMessage(mainWindow, text, MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return 0;
        if (answer == IDYES) {
            int saved = IsUntitledDocument(gDocument) ? SaveDocumentAs(mainWindow)
                                                      : SaveDocument(mainWindow);
            /* The user was just told the save failed: closing now would lose the changes. */
            if (saved == SAVE_FAILED)
                return 0;
        }
        gDocument.modified = 0;
    }
    gDocument.dataPresent = 0;

    WriteBackupFile();
    /* Before anything is destroyed: ending remote mode may show a message box, which runs
     * messages for windows that still draw with the image lists and the status bar. */
    EndRemoteModeAtExit();

    DestroyWindow(mainWindow);
    gApp.tooltip = gApp.toolbar = gApp.statusBar = gApp.connectionPanel = nullptr;
    gApp.tree = gApp.dialList = gApp.memberList = nullptr;
    ImageList_Destroy(static_cast<HIMAGELIST>(gApp.treeImages));
    ImageList_Destroy(static_cast<HIMAGELIST>(gApp.toolbarImages));
    ImageList_Destroy(static_cast<HIMAGELIST>(gApp.toolbarDisabledImages));
    gApp.treeImages = gApp.toolbarImages = gApp.toolbarDisabledImages = nullptr;
    if (exitFlag)
        ReleaseDeviceImage(gDocument.image);
    return 1;
}
