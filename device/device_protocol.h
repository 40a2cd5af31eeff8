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

constexpr int COMMAND_PACKET_SIZE = 10;
constexpr int REPLY_PACKET_SIZE = 10;
constexpr int REPLY_LENGTH_OFFSET = 6;
constexpr uint8_t PACKET_MARKER = 0x02;

enum : uint8_t {
    OP_WRITE_ITEM = 0x01,
    OP_READ_ITEM = 0x02,
    OP_DEVICE_COMMAND = 0x03,
};

// Codes of OP_DEVICE_COMMAND. Items 0x3 and 0x4 are read with the device commands of the same
// number.
enum : uint32_t {
    DEVICE_CODE_STATUS = 1,
    DEVICE_CODE_REMOTE_MODE = 2,
    DEVICE_CODE_READ_CONFIG = 3,
    DEVICE_CODE_READ_COUNTERS = 4,
    DEVICE_CODE_COMMIT = 5,
};

enum : uint8_t {
    REMOTE_MODE_BEGIN = 1,
    REMOTE_MODE_END = 2,
};

// The status byte; any other value means the link is healthy.
enum : uint8_t {
    DEVICE_STATUS_IDLE = 0,  // no remote mode open
    DEVICE_STATUS_IN_USE = 1,
    DEVICE_STATUS_TIMED_OUT = 2,  // the device ended remote mode itself
    DEVICE_STATUS_ERROR = 3,
};

struct CommandPacket {
    uint8_t operation;
    uint32_t code;
    uint32_t length;  // data bytes that follow on the command pipe
};

void EncodeCommandPacket(const CommandPacket& packet, uint8_t* out);  // 10 bytes, marker first
// Reads a packet from `size` bytes; 1, or 0 when they are too few or the marker is wrong.
int DecodeCommandPacket(const uint8_t* bytes, size_t size, CommandPacket* packet);
// The value length of a 10-byte reply (bytes 6-9); bytes 0-5 carry nothing the program uses.
uint32_t ReplyValueLength(const uint8_t* reply);

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
};
// Installs the hooks (copied); nullptr removes them. Any hook may be null.
void SetDeviceLinkHooks(const DeviceLinkHooks* hooks);
// Runs the stopPollTimer hook (the transfers call it before they open the device).
void StopPollTimerHook();

// ---- Exchanges (no messages of their own) ---------------------------------------------------

// On pipes that are already open: status query, 10-byte reply, status byte. 1 when all three
// steps succeed; the status goes to *status.
int StatusHandshake(uint8_t* status);

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
//   status 2:                   Disconnect sent, remoteModeOpen := 0, IDS_CONNECTION_TIMED_OUT
//   status 3:                   Disconnect sent, remoteModeOpen := 0, IDS_DEVICE_ERROR
//   status 0 while gApp.connected and the last periodic check failed:
//                               IDS_CONNECTION_RECONNECT, then Disconnect sent
// `verdict` may be null.
int CheckConnection(ConnectionVerdict* verdict);

enum : int {
    POLL_FAILED = 0,     // the query failed: stop timer 1, connected := CheckConnection
    POLL_HEALTHY = 1,    // nothing to do
    POLL_TIMED_OUT = 2,  // status 2: Disconnect was sent and IDS_CONNECTION_TIMED_OUT shown
};
// The periodic check (timer 1, while remote mode is open).
int PollDevice();
