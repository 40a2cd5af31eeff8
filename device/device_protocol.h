// The device command protocol: the 10-byte command packet, the exchanges built from it, the
// meaning of the device's status byte, the restart flag, and the connection checks that turn a
// status into a verdict and a message.
//
// Every decision lives here, in portable code. The effects that belong to the window (a
// message box, the Disconnect command, the status bar text, timer 1) go through the hooks the
// Win32 layer installs with SetDeviceLinkHooks; without hooks they are simply not done, so
// tests call these operations directly and record what they would have shown.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/command_packet.h"
#include "device/device_transport.h"

// ---- Restart flag ------------------------------------------------------------------------
// `state`: RESTART_NONE; RESTART_PENDING when an applied System or Network change needs a
// power cycle; RESTART_SENT once an upload's commit carried the request. `systemPage` is the
// companion: 1 when the System page made the request (the general message), 0 for the
// Network page.
enum : uint8_t { RESTART_NONE = 0, RESTART_PENDING = 1, RESTART_SENT = 2 };
struct RestartFlag {
    uint8_t state;
    uint8_t systemPage;
};
extern RestartFlag gRestartFlag;

// Called by the System (systemPage 1) and Network (0) pages when they apply a change that the
// device only takes after a power cycle; the page that applied last decides the message.
void RequestDeviceRestart(int systemPage);
// Clears both; the Download command calls it when it ends, whether the download ran or not.
void ClearRestartFlag();

// Set by a failed periodic check, cleared by every connection check that gets past the status
// verdicts; while set, status 0 on a program that thinks it is connected means the device lost
// its remote mode.
extern uint8_t gPollCheckFailed;

// ---- Window effects ------------------------------------------------------------------------
struct DeviceLinkHooks {
    // A message box with string `stringId`, captioned IDS_APP_TITLE, OK button.
    void (*showMessage)(int stringId);
    // Sends the Disconnect command (802) to the main window, synchronously.
    void (*sendDisconnect)();
    // Status bar part 1 := IDS_STATUS_TITLE.
    void (*resetStatusText)();
    // Stops timer 1 (the periodic check) before a transfer.
    void (*stopPollTimer)();
    // 1 while the window shows the device connected.
    int (*isConnected)();
    // The device ended its remote mode itself (timed out, failed): the window's remote mode is
    // over as well.
    void (*remoteModeEnded)();
};
// Installs the hooks (copied); nullptr removes them. Any hook may be null.
void SetDeviceLinkHooks(const DeviceLinkHooks* hooks);
// Runs the stopPollTimer hook (the transfers call it before they open the device).
void StopPollTimerHook();

// ---- Exchanges (no messages of their own) ---------------------------------------------------

// DeviceOpen, status query, DeviceClose on every path. 1 with *status set, or 0.
int QueryDeviceStatus(uint8_t* status);

// DeviceOpen, remote-mode command with the one byte `mode`, DeviceClose on every path. 1 when
// both writes succeeded; nothing is read back.
int SetRemoteMode(uint8_t mode);

// Reads item `id` into `value` (ITEM_VALUE_SIZE bytes) on open pipes: operation 0x03 for 0x3
// and 0x4, 0x02 for every other item. *length receives the reply's length (0, ITEM_ABSENT, or
// 1..ITEM_VALUE_SIZE, whose bytes are then in `value`). 0 on any failed read or write, and
// when the device announces more than the value area holds (its bytes are not read).
int ReadItem(uint32_t id, uint8_t* value, uint32_t* length);

// Writes item `id` on open pipes: the packet, then `length` value bytes (none when 0). 1 or 0;
// `length` above ITEM_VALUE_SIZE is refused without sending anything.
int WriteItem(uint32_t id, const uint8_t* value, uint32_t length);

// The commit that ends an upload: code 5, then 0x01 and the restart flag's state. 1 when the
// packet and both bytes were written; only then does a pending restart become RESTART_SENT.
int CommitUpload();

// ---- Operations with messages ---------------------------------------------------------------

// Connect: SetRemoteMode(REMOTE_MODE_BEGIN). On failure: IDS_DEVICE_RW_FAILED and the status
// text reset. 1 or 0.
int BeginRemoteMode();

// Disconnect: SetRemoteMode(REMOTE_MODE_END). On failure: when the System page asked for a
// restart (the device is expected to be gone), its companion flag is cleared and nothing is
// shown; otherwise as BeginRemoteMode. 1 or 0.
int EndRemoteMode();

// What CheckConnection decided, for callers and tests.
struct ConnectionVerdict {
    int connected;       // the result
    int queried;         // 1 when the status query succeeded
    uint8_t status;      // the status byte when queried
    int messageId;       // the string shown, 0 for none
    int disconnectSent;  // 1 when the Disconnect command was sent
};

// The connection check run by Connect, Download and Upload before they start, and after a
// failed periodic check. Returns 1 (connected) or 0; the messages:
//   query failed, restart sent: IDS_POWER_CYCLE (System page) or IDS_POWER_CYCLE_NETWORK, and
//                               the restart flag is cleared
//   query failed otherwise:     IDS_OPEN_USB_FAILED
//   status 1:                   IDS_DEVICE_IN_USE
//   status 2:                   Disconnect sent, remote mode ended, IDS_CONNECTION_TIMED_OUT
//   status 3:                   Disconnect sent, remote mode ended, IDS_DEVICE_ERROR
//   status 0 while the window is connected and the last periodic check failed:
//                               IDS_CONNECTION_RECONNECT, then Disconnect sent
// `verdict` may be null.
int CheckConnection(ConnectionVerdict* verdict);

enum : int {
    POLL_FAILED = 0,     // the query failed: stop timer 1, connected := CheckConnection
    POLL_HEALTHY = 1,    // nothing to do
    POLL_TIMED_OUT = 2,  // status 2: remote mode ended, Disconnect sent, IDS_CONNECTION_TIMED_OUT
};
// The periodic check (timer 1, while remote mode is open).
int PollDevice();
