// Command packets, the exchanges built from them, and the connection checks.
#include "device/device_protocol.h"

#include "device/byte_order.h"
#include "device/device_image.h"
#include "resources/resource_ids.h"

RestartFlag gRestartFlag = {RESTART_NONE, 0};
uint8_t gPollCheckFailed = 0;

namespace {

DeviceLinkHooks gHooks = {};

void ShowMessage(int stringId)
{
    if (gHooks.showMessage)
        gHooks.showMessage(stringId);
}

void SendDisconnect()
{
    if (gHooks.sendDisconnect)
        gHooks.sendDisconnect();
}

void ResetStatusText()
{
    if (gHooks.resetStatusText)
        gHooks.resetStatusText();
}

int WindowConnected() { return gHooks.isConnected ? gHooks.isConnected() : 0; }

void RemoteModeEnded()
{
    if (gHooks.remoteModeEnded)
        gHooks.remoteModeEnded();
}

// Sends a device command and its data; 1 when every byte went out.
int SendDeviceCommand(uint32_t code, const uint8_t* data, uint32_t length)
{
    if (!SendCommandPacket({OP_DEVICE_COMMAND, code, length}))
        return 0;
    return length == 0 || PipeWrite(gDevicePipes.command, length, data);
}

}  // namespace

void RequestDeviceRestart(int systemPage)
{
    gRestartFlag.state = RESTART_PENDING;
    gRestartFlag.systemPage = systemPage ? 1 : 0;
}

void ClearRestartFlag() { gRestartFlag = {RESTART_NONE, 0}; }

void SetDeviceLinkHooks(const DeviceLinkHooks* hooks)
{
    gHooks = hooks ? *hooks : DeviceLinkHooks{};
}

void StopPollTimerHook()
{
    if (gHooks.stopPollTimer)
        gHooks.stopPollTimer();
}

int QueryDeviceStatus(uint8_t* status)
{
    if (DeviceOpen() != 0)
        return 0;
    int ok = StatusHandshake(status);
    DeviceClose();
    return ok;
}

int SetRemoteMode(uint8_t mode)
{
    if (DeviceOpen() != 0)
        return 0;
    int ok = SendDeviceCommand(DEVICE_CODE_REMOTE_MODE, &mode, 1);
    DeviceClose();
    return ok;
}

int ReadItem(uint32_t id, uint8_t* value, uint32_t* length)
{
    const bool deviceData = id == DEVICE_CODE_READ_CONFIG || id == DEVICE_CODE_READ_COUNTERS;
    uint8_t reply[REPLY_PACKET_SIZE];
    if (!SendCommandPacket({deviceData ? OP_DEVICE_COMMAND : OP_READ_ITEM, id, 0}) ||
        !PipeRead(gDevicePipes.reply, REPLY_PACKET_SIZE, reply))
        return 0;
    const uint32_t announced = ReplyValueLength(reply);
    if (announced == 0 || announced == ITEM_ABSENT) {
        *length = announced;
        return 1;
    }
    // A value longer than the record can hold is a broken reply, not data to cut short: the
    // rest of it would be read as the next reply.
    if (announced > static_cast<uint32_t>(ITEM_VALUE_SIZE))
        return 0;
    *length = announced;
    return PipeRead(gDevicePipes.reply, announced, value);
}

int WriteItem(uint32_t id, const uint8_t* value, uint32_t length)
{
    if (length > static_cast<uint32_t>(ITEM_VALUE_SIZE))
        return 0;
    if (!SendCommandPacket({OP_WRITE_ITEM, id, length}))
        return 0;
    return length == 0 || PipeWrite(gDevicePipes.command, length, value);
}

int CommitUpload()
{
    const uint8_t data[2] = {0x01, gRestartFlag.state};
    if (!SendDeviceCommand(DEVICE_CODE_COMMIT, data, sizeof data))
        return 0;
    if (gRestartFlag.state == RESTART_PENDING)
        gRestartFlag.state = RESTART_SENT;
    return 1;
}

int BeginRemoteMode()
{
    if (SetRemoteMode(REMOTE_MODE_BEGIN))
        return 1;
    ShowMessage(IDS_DEVICE_RW_FAILED);
    ResetStatusText();
    return 0;
}

int EndRemoteMode()
{
    if (SetRemoteMode(REMOTE_MODE_END))
        return 1;
    // After a System-page change the device restarts on the commit, so it cannot hear the end
    // of remote mode; that is expected, not a failure to report.
    if (gRestartFlag.systemPage) {
        gRestartFlag.systemPage = 0;
        return 0;
    }
    ShowMessage(IDS_DEVICE_RW_FAILED);
    ResetStatusText();
    return 0;
}

int CheckConnection(ConnectionVerdict* verdict)
{
    ConnectionVerdict v = {};
    v.queried = QueryDeviceStatus(&v.status);

    if (!v.queried) {
        if (gRestartFlag.state == RESTART_SENT) {
            v.messageId = gRestartFlag.systemPage ? IDS_POWER_CYCLE : IDS_POWER_CYCLE_NETWORK;
            gRestartFlag.state = RESTART_NONE;
        } else {
            v.messageId = IDS_OPEN_USB_FAILED;
        }
        ShowMessage(v.messageId);
    } else if (v.status == DEVICE_STATUS_IN_USE) {
        v.messageId = IDS_DEVICE_IN_USE;
        ShowMessage(v.messageId);
    } else if (v.status == DEVICE_STATUS_TIMED_OUT || v.status == DEVICE_STATUS_ERROR) {
        v.disconnectSent = 1;
        SendDisconnect();
        RemoteModeEnded();
        v.messageId =
            v.status == DEVICE_STATUS_TIMED_OUT ? IDS_CONNECTION_TIMED_OUT : IDS_DEVICE_ERROR;
        ShowMessage(v.messageId);
    } else {
        const bool lostRemoteMode =
            v.status == DEVICE_STATUS_IDLE && WindowConnected() == 1 && gPollCheckFailed;
        gPollCheckFailed = 0;
        if (lostRemoteMode) {
            v.messageId = IDS_CONNECTION_RECONNECT;
            ShowMessage(v.messageId);
            v.disconnectSent = 1;
            SendDisconnect();
        } else {
            v.connected = 1;
        }
    }

    if (verdict)
        *verdict = v;
    return v.connected;
}

int PollDevice()
{
    uint8_t status = 0;
    if (!QueryDeviceStatus(&status)) {
        gPollCheckFailed = 1;
        return POLL_FAILED;
    }
    if (status == DEVICE_STATUS_TIMED_OUT) {
        RemoteModeEnded();
        SendDisconnect();
        ShowMessage(IDS_CONNECTION_TIMED_OUT);
        return POLL_TIMED_OUT;
    }
    return POLL_HEALTHY;
}
