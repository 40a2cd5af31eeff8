/*
 * The device commands of the main window: Connect, Disconnect, the periodic check, Download
 * with its internal read command, the checked Upload and Compare with Device. The protocol and
 * the change list decide; this file shows the messages, keeps the window state and paints the
 * transfers' progress.
 */
#include "app/device_commands_win.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/file_commands_win.h"
#include "app/frame_win.h"
#include "device/device_lock_win.h"
#include "device/device_protocol.h"
#include "device/device_transfer.h"
#include "device/device_transport.h"
#include "devsim/device_backends.h"
#include "document/device_history_win.h"
#include "document/document.h"
#include "resources/resource_ids.h"
#include "settings/device_changes_win.h"
#include "ui/accessible_names_win.h"
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
    int spokenTenth; /* the last tenth of the transfer a screen reader was asked to read */
};

void ReportProgress(void* context, int done, int total)
{
    ProgressText* progress = static_cast<ProgressText*>(context);
    char format[64], text[96];
    LoadStr(progress->format, format, sizeof format);
    std::snprintf(text, sizeof text, format, done, total);
    SetStatusPart(PROGRESS_PART, text);
    /* Every count is a name change; only the start, each tenth and the end are read out, so
     * a screen reader is not flooded with 252 numbers. */
    const int tenth = total > 0 && done >= 0 ? done * 10 / total : 0;
    AnnounceStatusText(AsWindow(gApp.statusBar), PROGRESS_PART, tenth != progress->spokenTenth);
    progress->spokenTenth = tenth;
    UpdateWindow(AsWindow(gApp.statusBar));
}

/* Runs a transfer under the wait cursor with its progress in the status bar. */
int RunTransfer(const std::function<int(const TransferProgress*)>& transfer, int format)
{
    ProgressText text = {format, -1};
    TransferProgress progress = {ReportProgress, &text};
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    int result = transfer(&progress);
    SetCursor(previous);
    SetStatusPart(PROGRESS_PART, "");
    return result;
}

int RunTransfer(int (*transfer)(DeviceImage*, const TransferProgress*), DeviceImage* image,
                int format)
{
    return RunTransfer([&](const TransferProgress* p) { return transfer(image, p); }, format);
}

void ShowStatusString(int id)
{
    char text[256];
    SetStatusPart(PROGRESS_PART, LoadStr(static_cast<UINT>(id), text, sizeof text));
}

void ShowOfflineAfterFailure()
{
    gApp.connected = 0;
    ReleaseDeviceLock();
    RefreshUiState();
    ShowConnectionText();
}

/* The connection check behind the devices' lock: while another program (MoravelCmd) works on
 * the devices, the device is in use. The lock is kept while connected. */
int LockedConnection()
{
    if (!TakeDeviceLock()) {
        ShowLinkMessage(IDS_DEVICE_IN_USE);
        return 0;
    }
    if (CheckConnection(nullptr))
        return 1;
    ReleaseDeviceLock();
    return 0;
}

/* A transfer that failed half-way: said, and the program counts as disconnected. */
void FailTransfer(HWND window)
{
    ShowMessageId(window, IDS_DEVICE_RW_FAILED, MB_OK);
    ResetStatusTitle();
    ShowOfflineAfterFailure();
}

/* The device's data as it is now, read into an image of its own; 1, or 0 (nothing kept). */
int ReadDeviceNow(DeviceImage& current)
{
    current.bytes = nullptr;
    if (CreateDeviceImage(current) && RunTransfer(DownloadImage, &current, IDS_PROGRESS_READING))
        return 1;
    ReleaseDeviceImage(current);
    return 0;
}

ChangeOptions Options() { return {gApp.model == MODEL_A3}; }

/* What an upload sent, for its check: the bytes and the records it changed. After a commit
 * that asked the device to restart, the check waits until the device is back. */
struct UploadCheck {
    std::vector<uint8_t> sent;
    std::vector<int> records;
    bool pending;
};
UploadCheck gUploadCheck;

/* A history file that could not be written is said once; Upload chosen again goes on without. */
bool gHistorySkipOffered = false;

/* Reads back the records an upload changed and names what the device did not take. 0 when the
 * reading failed (a transfer failure for the caller to show). */
int CheckUpload(HWND window, UploadCheck& check)
{
    check.pending = false;
    if (check.records.empty())
        return 1;
    std::vector<uint8_t> readBack(check.sent);
    const int count = static_cast<int>(check.records.size());
    if (!RunTransfer(
            [&](const TransferProgress* p) {
                return ReadBackRecords(check.records.data(), count, readBack.data(), p);
            },
            IDS_PROGRESS_VERIFYING))
        return 0;
    const DeviceImage device = {readBack.data()}, sent = {check.sent.data()};
    const std::vector<ItemChange> refused = ListChanges(device, sent, Options());
    if (refused.empty())
        ShowStatusString(IDS_CHECK_PASSED);
    else
        ShowMessage(window, RefusedMessage(refused).c_str(), MB_OK | MB_ICONWARNING);
    return 1;
}

/* The connection check of the commands that talk to the device, and the check of an upload
 * that waited for the device to come back. 1 when connected and nothing failed. */
int CheckedConnection(HWND window)
{
    if (!LockedConnection())
        return 0;
    if (gUploadCheck.pending && !CheckUpload(window, gUploadCheck)) {
        FailTransfer(window);
        return 0;
    }
    return 1;
}

/* Keeps the device's data in the history before an upload. 0 when it could not and the user
 * was not told yet: then it is said, and the upload does not start. */
int KeepHistory(HWND window, const DeviceImage& current)
{
    char path[MAX_PATH] = "";
    const bool kept = KeepDeviceHistory(current, path, sizeof path);
    if (kept || gHistorySkipOffered) {
        gHistorySkipOffered = false;
        return 1;
    }
    gHistorySkipOffered = true;
    char format[512];
    std::string text = LoadStr(IDS_HISTORY_FAILED, format, sizeof format);
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    ShowMessage(window, text.c_str(), MB_OK | MB_ICONWARNING);
    return 0;
}

/* The device's data as it is now, for a review or a comparison; a failure is shown. */
int ReadCurrentDevice(HWND window, DeviceImage& current)
{
    if (!CheckedConnection(window)) {
        ShowOfflineAfterFailure();
        return 0;
    }
    if (!ReadDeviceNow(current)) {
        FailTransfer(window);
        return 0;
    }
    return 1;
}

/* After the device was read for a look, or for an upload that did not happen: the periodic
 * check the reading stopped runs again. */
void EndWithoutUpload()
{
    StartPollTimer();
    ResetStatusTitle();
    RefreshUiState();
}

}

void InstallDeviceLink()
{
    static const DeviceLinkHooks hooks = {ShowLinkMessage, SendDisconnect,  ResetStatusTitle,
                                          StopPollTimer,   WindowConnected, ForgetRemoteMode};
    SetDeviceLinkHooks(&hooks);
    SetAcceptedProductIds(gApp.acceptedProductIds, ACCEPTED_ID_SLOTS);
    if (!CurrentDeviceBackend()) {
        SetDeviceBackend(SelectDeviceBackendFromEnvironment());
        SetDeviceLockName(DeviceLockName(std::getenv("MORAVEL_DEVICE")).c_str());
    }
}

void OnConnect(HWND window)
{
    gApp.connected = LockedConnection();
    if (gApp.connected == 1) {
        BeginRemoteMode();
        gApp.remoteModeOpen = 1;
        if (gUploadCheck.pending && !CheckUpload(window, gUploadCheck)) {
            FailTransfer(window);
            return;
        }
        StartPollTimer();
    }
    RefreshUiState();
    DeviceClose();
    ShowConnectionText();
}

void OnDisconnect(HWND)
{
    if (gUploadCheck.pending) {
        gUploadCheck.pending = false;
        ShowStatusString(IDS_CHECK_DROPPED);
    }
    StopPollTimer();
    gApp.connected = 0;
    EndRemoteMode();
    gApp.remoteModeOpen = 0;
    DeviceClose();
    ReleaseDeviceLock();
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
    if (!gApp.connected)
        ReleaseDeviceLock();
    DeviceClose();
    RefreshUiState();
    ShowConnectionText();
}

void OnDownload(HWND window)
{
    if (!CheckedConnection(window)) {
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
    const int whole = RunTransfer(
        [](const TransferProgress* p) {
            return DownloadDocument(gDocument, static_cast<int>(gApp.quickKeyCount), p);
        },
        IDS_PROGRESS_DOWNLOAD);
    if (!whole) {
        ShowMessageId(window, IDS_DEVICE_RW_FAILED, MB_OK);
        ResetStatusTitle();
        ShowOfflineAfterFailure();
        return;
    }
    TakeNewData(window);
}

/* Upload: the device's data is read first and the changes shown; only Upload in that dialog
 * sends. The device's data goes into the history before the first write, and what the device
 * took is read back after the commit (once it is back, when the commit asked for a restart). */
void OnUpload(HWND window)
{
    DeviceImage current;
    if (!ReadCurrentDevice(window, current))
        return;
    const std::vector<ItemChange> changes = ListChanges(current, gDocument.image, Options());
    if (RunChangesDialog(window, changes, CHANGES_UPLOAD, nullptr) != IDOK ||
        !KeepHistory(window, current)) {
        ReleaseDeviceImage(current);
        EndWithoutUpload();
        return;
    }
    UploadCheck check;
    int records[ITEM_COUNT];
    const int count = ListChangedRecords(current.bytes, gDocument.image.bytes, records);
    check.records.assign(records, records + count);
    check.sent.assign(gDocument.image.bytes, gDocument.image.bytes + DEVICE_IMAGE_SIZE);
    check.pending = false;
    ReleaseDeviceImage(current);
    if (!RunTransfer(UploadImage, &gDocument.image, IDS_PROGRESS_UPLOAD)) {
        FailTransfer(window);
        return;
    }
    const bool restarting = gRestartFlag.state == RESTART_SENT;
    if (restarting) {
        gUploadCheck = check;
        gUploadCheck.pending = true;
    } else if (!CheckUpload(window, check)) {
        FailTransfer(window);
        return;
    }
    StartPollTimer();
    ResetStatusTitle();
    RefreshUiState();
    if (restarting)
        ShowStatusString(IDS_CHECK_PENDING);
}

void OnCompareDevice(HWND window)
{
    DeviceImage current;
    if (!ReadCurrentDevice(window, current))
        return;
    const std::vector<ItemChange> changes = ListChanges(current, gDocument.image, Options());
    ReleaseDeviceImage(current);
    RunChangesDialog(window, changes, CHANGES_DEVICE, nullptr);
    EndWithoutUpload();
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
