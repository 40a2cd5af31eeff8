// The still-image driver backend: each device is "\\.\Usbscan%d" with one file per bulk pipe.
// The files are opened for overlapped I/O only so that every transfer can be given a time-out:
// a device that stops answering in the middle of a transfer fails the transfer after
// USB_TRANSFER_TIMEOUT_MS instead of blocking the window forever.
#include <windows.h>

#include "device/usb_backend.h"

namespace {

constexpr DWORD IOCTL_GET_DEVICE_DESCRIPTOR = 0x80002018;
constexpr DWORD USB_TRANSFER_TIMEOUT_MS = 5000;

HANDLE AsHandle(PipeHandle pipe) { return reinterpret_cast<HANDLE>(pipe); }

// Runs one overlapped operation to its end or its time-out; on a time-out the operation is
// cancelled and waited for, so the buffer is never written after we return.
template <typename Start>
int Complete(HANDLE file, Start start, DWORD* done)
{
    *done = 0;
    OVERLAPPED overlapped = {};
    overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent)
        return 0;
    int ok = 0;
    if (start(&overlapped)) {
        ok = GetOverlappedResult(file, &overlapped, done, FALSE) ? 1 : 0;
    } else if (GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(overlapped.hEvent, USB_TRANSFER_TIMEOUT_MS) == WAIT_OBJECT_0) {
            ok = GetOverlappedResult(file, &overlapped, done, FALSE) ? 1 : 0;
        } else {
            CancelIo(file);
            GetOverlappedResult(file, &overlapped, done, TRUE);
            *done = 0;
        }
    }
    CloseHandle(overlapped.hEvent);
    return ok;
}

int OpenPipe(void*, int device, int pipe, PipeHandle* handle)
{
    char name[64];
    if (!FormatPipeName(name, sizeof name, device, pipe))
        return 0;
    HANDLE file =
        CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_SYSTEM | FILE_FLAG_OVERLAPPED, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    *handle = reinterpret_cast<PipeHandle>(file);
    return 1;
}

int ReadDescriptor(void*, PipeHandle command, uint8_t* descriptor)
{
    HANDLE file = AsHandle(command);
    DWORD done = 0;
    int ok = Complete(
        file,
        [&](OVERLAPPED* o) {
            return DeviceIoControl(file, IOCTL_GET_DEVICE_DESCRIPTOR, nullptr, 0, descriptor,
                                   DESCRIPTOR_SIZE, nullptr, o);
        },
        &done);
    return ok && done >= static_cast<DWORD>(DESCRIPTOR_SIZE) ? 1 : 0;
}

int Read(void*, PipeHandle pipe, uint8_t* buffer, uint32_t count, uint32_t* done)
{
    HANDLE file = AsHandle(pipe);
    DWORD got = 0;
    int ok = Complete(
        file, [&](OVERLAPPED* o) { return ReadFile(file, buffer, count, nullptr, o); }, &got);
    *done = got;
    return ok;
}

int Write(void*, PipeHandle pipe, const uint8_t* bytes, uint32_t count, uint32_t* done)
{
    HANDLE file = AsHandle(pipe);
    DWORD put = 0;
    int ok = Complete(
        file, [&](OVERLAPPED* o) { return WriteFile(file, bytes, count, nullptr, o); }, &put);
    *done = put;
    return ok;
}

void ClosePipe(void*, PipeHandle pipe) { CloseHandle(AsHandle(pipe)); }

const DeviceBackend USBSCAN = {"usbscan", nullptr, OpenPipe, ReadDescriptor,
                               Read,      Write,   ClosePipe};

}  // namespace

const DeviceBackend* UsbscanBackend() { return &USBSCAN; }
