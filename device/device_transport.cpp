// The device search and the pipe reads and writes, over whichever backend was chosen.
#include "device/device_transport.h"

#include <cstdio>

#include "device/byte_order.h"

DevicePipes gDevicePipes = {PIPE_NOT_OPEN, PIPE_NOT_OPEN, -1, 0};

namespace {

const DeviceBackend* gBackend = nullptr;
uint32_t gAcceptedIds[ACCEPTED_PRODUCT_ID_MAX] = {};
int gChosenDevice = -1;

int OpenNothing(void*, int, int, PipeHandle*) { return 0; }

int ReadNothing(void*, PipeHandle, uint8_t*) { return 0; }

int TransferNothing(void*, PipeHandle, uint8_t*, uint32_t, uint32_t* done)
{
    *done = 0;
    return 0;
}

int SendNothing(void*, PipeHandle, const uint8_t*, uint32_t, uint32_t* done)
{
    *done = 0;
    return 0;
}

void CloseNothing(void*, PipeHandle) {}

const DeviceBackend NO_DEVICE = {"none",          nullptr,     OpenNothing, ReadNothing,
                                 TransferNothing, SendNothing, CloseNothing};

int IsAccepted(uint16_t productId)
{
    for (uint32_t id : gAcceptedIds)
        if (id != 0 && id == productId)
            return 1;
    return 0;
}

void ClosePipe(PipeHandle* pipe)
{
    if (*pipe != PIPE_NOT_OPEN && gBackend)
        gBackend->closePipe(gBackend->context, *pipe);
    *pipe = PIPE_NOT_OPEN;
}

// Opens device `device` and proves it is ours and answers; leaves the pipes open on success
// and closed on failure.
int TryDevice(const DeviceBackend* backend, int device)
{
    PipeHandle command = PIPE_NOT_OPEN;
    if (!backend->openPipe(backend->context, device, PIPE_COMMAND, &command))
        return 0;
    gDevicePipes.command = command;
    gDevicePipes.device = device;

    uint8_t descriptor[DESCRIPTOR_SIZE] = {};  // a backend that fills nothing matches no id
    if (!backend->readDescriptor(backend->context, command, descriptor) ||
        !IsAccepted(ReadU16Le(descriptor + DESCRIPTOR_PRODUCT_OFFSET))) {
        DeviceClose();
        return 0;
    }
    gDevicePipes.productId = ReadU16Le(descriptor + DESCRIPTOR_PRODUCT_OFFSET);

    PipeHandle reply = PIPE_NOT_OPEN;
    if (!backend->openPipe(backend->context, device, PIPE_REPLY, &reply)) {
        DeviceClose();
        return 0;
    }
    gDevicePipes.reply = reply;

    // Any complete answer counts here; the status itself is judged by the callers.
    uint8_t status = 0;
    if (!StatusHandshake(&status)) {
        DeviceClose();
        return 0;
    }
    return 1;
}

}  // namespace

void SetAcceptedProductIds(const uint32_t* ids, int count)
{
    for (int i = 0; i < ACCEPTED_PRODUCT_ID_MAX; i++)
        gAcceptedIds[i] = ids && i < count ? ids[i] : 0;
}

void SetDeviceBackend(const DeviceBackend* backend)
{
    DeviceClose();
    gBackend = backend;
}

const DeviceBackend* CurrentDeviceBackend() { return gBackend; }

const DeviceBackend* NoDeviceBackend() { return &NO_DEVICE; }

int DeviceOpen()
{
    const DeviceBackend* backend = gBackend;
    if (!backend)
        return -1;

    if (gDevicePipes.reply != PIPE_NOT_OPEN) {
        uint8_t status = 0;
        if (StatusHandshake(&status))
            return 0;
    }
    DeviceClose();

    if (gChosenDevice >= 0)
        return TryDevice(backend, gChosenDevice) ? 0 : -1;
    for (int device = 0; device < DEVICE_NUMBER_COUNT; device++)
        if (TryDevice(backend, device))
            return 0;
    return -1;
}

void SetDeviceNumber(int device)
{
    const int chosen = device >= 0 && device < DEVICE_NUMBER_COUNT ? device : -1;
    if (chosen != gChosenDevice && gDevicePipes.device != chosen)
        DeviceClose();
    gChosenDevice = chosen;
}

int ChosenDeviceNumber() { return gChosenDevice; }

void DeviceClose()
{
    ClosePipe(&gDevicePipes.command);
    ClosePipe(&gDevicePipes.reply);
    gDevicePipes.device = -1;
    gDevicePipes.productId = 0;
}

int StatusHandshake(uint8_t* status)
{
    uint8_t reply[REPLY_PACKET_SIZE];
    uint8_t value = 0;
    if (!SendCommandPacket({OP_DEVICE_COMMAND, DEVICE_CODE_STATUS, 0}) ||
        !PipeRead(gDevicePipes.reply, REPLY_PACKET_SIZE, reply) ||
        !PipeRead(gDevicePipes.reply, 1, &value))
        return 0;
    if (status)
        *status = value;
    return 1;
}

int SendCommandPacket(const CommandPacket& packet)
{
    uint8_t bytes[COMMAND_PACKET_SIZE];
    EncodeCommandPacket(packet, bytes);
    return PipeWrite(gDevicePipes.command, COMMAND_PACKET_SIZE, bytes);
}

int PipeRead(PipeHandle pipe, uint32_t count, uint8_t* buffer)
{
    if (pipe == PIPE_NOT_OPEN || !gBackend || (!buffer && count))
        return 0;
    uint32_t done = 0;
    if (!gBackend->read(gBackend->context, pipe, buffer, count, &done))
        return 0;
    return done >= count ? 1 : 0;
}

int PipeWrite(PipeHandle pipe, uint32_t count, const uint8_t* bytes)
{
    if (pipe == PIPE_NOT_OPEN || !gBackend || (!bytes && count))
        return 0;
    uint32_t done = 0;
    if (!gBackend->write(gBackend->context, pipe, bytes, count, &done))
        return 0;
    return done == count ? 1 : 0;
}

int FormatPipeName(char* out, size_t size, int device, int pipe)
{
    if (!out || size == 0 || device < 0 || device >= DEVICE_NUMBER_COUNT ||
        (pipe != PIPE_COMMAND && pipe != PIPE_REPLY))
        return 0;
    char deviceName[32];
    std::snprintf(deviceName, sizeof deviceName, "\\\\.\\Usbscan%d", device);
    int n = std::snprintf(out, size, pipe == PIPE_COMMAND ? "%s\\0" : "%s\\1", deviceName);
    return n > 0 && static_cast<size_t>(n) < size ? 1 : 0;
}
