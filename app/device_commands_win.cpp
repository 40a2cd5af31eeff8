/*
 * The device commands of the main window: Connect, Disconnect, the periodic check, Download
 * with its internal read command, and Upload. The protocol decides; this file shows the
 * messages, keeps the window state and paints the transfer's progress.
 */
#include "app/device_commands_win.h"

#include <commctrl.h>

#include <cstdio>

#include "app/file_commands_win.h"
#include "app/frame_win.h"
#include "device/device_protocol.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "devsim/device_backends.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/frame_seam_win.h"
#include "ui/ui_win.h"

namespace {

constexpr int PROGRESS_PART = 0;

void SetStatusPart(int part, const char* text)
{
    SendMessageA(AsWindow(gApp.statusBar), SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text));
}

void ShowLinkMessage(int stringId) { ShowMessageId(MainWindow(), stringId, MB_OK); }
void SendDisconnect() { SendMessageA(MainWindow(), WM_COMMAND, IDM_DISCONNECT, 0); }
int WindowConnected() { return static_cast<int>(gApp.connected); }
void ForgetRemoteMode() { gApp.remoteModeOpen = 0; }

/* Paints "Downloading 120/252" while the transfer holds the thread: only the status bar is
 * repainted, no input is taken, so nothing can run in between. */
struct ProgressText {
    int format;
};

void ReportProgress(void* context, int done, int total)
{
    const ProgressText* progress = static_cast<const ProgressText*>(context);
    char format[64], text[96];
    LoadStr(progress->format, format, sizeof format);
    std::snprintf(text, sizeof text, format, done, total);
    SetStatusPart(PROGRESS_PART, text);
    UpdateWindow(AsWindow(gApp.statusBar));
}

/* Runs a transfer of `image` under the wait cursor with its progress in the status bar. */
int RunTransfer(int (*transfer)(DeviceImage*, const TransferProgress*), DeviceImage* image,
                int format)
{
    ProgressText text = {format};
    TransferProgress progress = {ReportProgress, &text};
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    int result = transfer(image, &progress);
    SetCursor(previous);
    SetStatusPart(PROGRESS_PART, "");
    return result;
}

void ShowOfflineAfterFailure()
{
    gApp.connected = 0;
    RefreshUiState();
    ShowConnectionText();
}

}

void InstallDeviceLink()
{
    static const DeviceLinkHooks hooks = {ShowLinkMessage, SendDisconnect,  ResetStatusTitle,
                                          StopPollTimer,   WindowConnected, ForgetRemoteMode};
    SetDeviceLinkHooks(&hooks);
    SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
    if (!CurrentDeviceBackend())
        SetDeviceBackend(SelectDeviceBackendFromEnvironment());
}

void OnConnect(HWND)
{
    gApp.connected = CheckConnection(nullptr);
    if (gApp.connected == 1) {
        BeginRemoteMode();
        gApp.remoteModeOpen = 1;
        StartPollTimer();
    }
    RefreshUiState();
    DeviceClose();
    ShowConnectionText();
}

void OnDisconnect(HWND)
{
    StopPollTimer();
    gApp.connected = 0;
    EndRemoteMode();
    gApp.remoteModeOpen = 0;
    DeviceClose();
    RefreshUiState();
    ShowConnectionText();
}

void OnPollTimer(HWND)
{
    if (gApp.remoteModeOpen != 1)
        return;
    if (PollDevice() != POLL_FAILED)
        return;
    StopPollTimer();
    gApp.connected = CheckConnection(nullptr);
    DeviceClose();
    RefreshUiState();
    ShowConnectionText();
}

void OnDownload(HWND window)
{
    if (!CheckConnection(nullptr)) {
        ShowOfflineAfterFailure();
        return;
    }
    if (gDocument.dataPresent != 1 ||
        ShowMessageId(window, IDS_ASK_DOWNLOAD_OVERWRITE, MB_YESNO) == IDYES)
        SendMessageA(window, WM_COMMAND, IDM_READ_DEVICE, 0);
    ClearRestartFlag();
    ResetStatusTitle();
    MarkDocumentChanged(gDocument);
}

/* The device's data is read into an image of its own: only a whole one replaces the
 * document's, so a link that drops half-way leaves the data, the lists and the backup file as
 * they were. */
void OnReadDevice(HWND window)
{
    DeviceImage read = {nullptr};
    const int whole = CreateDeviceImage(read) &&
                      RunTransfer(DownloadImage, &read, IDS_PROGRESS_DOWNLOAD) &&
                      TakeDownloadedImage(gDocument, read, static_cast<int>(gApp.quickKeyCount));
    ReleaseDeviceImage(read);
    if (!whole) {
        ShowMessageId(window, IDS_DEVICE_RW_FAILED, MB_OK);
        ResetStatusTitle();
        ShowOfflineAfterFailure();
        return;
    }
    TakeNewData(window);
}

void OnUpload(HWND window)
{
    if (!CheckConnection(nullptr)) {
        ShowOfflineAfterFailure();
        return;
    }
    if (gDocument.dataPresent == 1 &&
        ShowMessageId(window, IDS_ASK_UPLOAD_OVERWRITE, MB_YESNO) != IDYES) {
        ResetStatusTitle();
        RefreshUiState();
        return;
    }
    if (RunTransfer(UploadImage, &gDocument.image, IDS_PROGRESS_UPLOAD)) {
        StartPollTimer();
        ResetStatusTitle();
        RefreshUiState();
        return;
    }
    ShowMessageId(window, IDS_DEVICE_RW_FAILED, MB_OK);
    ResetStatusTitle();
    ShowOfflineAfterFailure();
}

void EndRemoteModeAtExit()
{
    if (gApp.remoteModeOpen != 1)
        return;
    if (DeviceOpen() == 0) {
        EndRemoteMode();
        DeviceClose();
    }
}
