// The USB side of the bridge on libusb's synchronous transfers: the reply pump reads while the
// command pump writes, which libusb allows from two threads on one handle.
#include "bridge/usb_port_libusb.h"

#include <cstdio>
#include <cstring>

#include <libusb.h>

#include "device/byte_order.h"

namespace {

constexpr unsigned CONTROL_TIMEOUT_MS = 1000;

LibusbPort* Port(void* context) { return static_cast<LibusbPort*>(context); }

int Result(int error)
{
    if (error == LIBUSB_ERROR_NO_DEVICE)
        return USB_GONE;
    if (error == LIBUSB_ERROR_TIMEOUT)
        return USB_TIMED_OUT;
    return USB_FAILED;
}

// libusb takes 0 as "wait for ever": never let a time-out reach it as 0.
unsigned TimeoutOf(int timeoutMs) { return timeoutMs > 0 ? static_cast<unsigned>(timeoutMs) : 1; }

int List(void* context, UsbDeviceInfo* devices, int capacity)
{
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(Port(context)->context, &list);
    if (count < 0)
        return -1;
    int n = 0;
    for (ssize_t i = 0; i < count && n < capacity; i++) {
        libusb_device_descriptor d;
        if (libusb_get_device_descriptor(list[i], &d) != 0)
            continue;
        devices[n++] = {libusb_get_bus_number(list[i]), libusb_get_device_address(list[i]),
                        d.idVendor, d.idProduct, d.bcdDevice};
    }
    libusb_free_device_list(list, 1);
    return n;
}

struct Pipes {
    int interfaceNumber;
    uint8_t out;
    uint8_t in;
    uint16_t inPacketSize;
};

// The interface to claim: `wanted`, or the first with a bulk-out and a bulk-in endpoint, a
// vendor-specific one before any other (a multifunction device may also show a printer
// interface with bulk pipes of its own). 1, or 0.
int FindPipes(const libusb_config_descriptor* config, int wanted, Pipes* pipes)
{
    int found = 0;
    for (int pass = 0; pass < 2 && !found; pass++) {
        for (int i = 0; i < config->bNumInterfaces && !found; i++) {
            if (config->interface[i].num_altsetting < 1)
                continue;
            const libusb_interface_descriptor& alt = config->interface[i].altsetting[0];
            if (wanted >= 0 && alt.bInterfaceNumber != wanted)
                continue;
            if (wanted < 0 && pass == 0 && alt.bInterfaceClass != LIBUSB_CLASS_VENDOR_SPEC)
                continue;
            Pipes p = {alt.bInterfaceNumber, 0, 0, 0};
            for (int e = 0; e < alt.bNumEndpoints; e++) {
                const libusb_endpoint_descriptor& ep = alt.endpoint[e];
                if ((ep.bmAttributes & LIBUSB_TRANSFER_TYPE_MASK) != LIBUSB_TRANSFER_TYPE_BULK)
                    continue;
                if ((ep.bEndpointAddress & LIBUSB_ENDPOINT_IN) && !p.in) {
                    p.in = ep.bEndpointAddress;
                    p.inPacketSize = static_cast<uint16_t>(ep.wMaxPacketSize & 0x7FF);
                } else if (!(ep.bEndpointAddress & LIBUSB_ENDPOINT_IN) && !p.out) {
                    p.out = ep.bEndpointAddress;
                }
            }
            if (p.in && p.out) {
                *pipes = p;
                found = 1;
            }
        }
    }
    return found;
}

uint16_t LanguageOf(libusb_device_handle* handle)
{
    uint8_t table[4] = {};
    const int r = libusb_get_string_descriptor(handle, 0, 0, table, sizeof table);
    if (r < 4 || table[1] != LIBUSB_DT_STRING)
        return 0;
    return ReadU16Le(table + 2);
}

void Close(void* context)
{
    LibusbPort* usb = Port(context);
    if (!usb->handle)
        return;
    if (usb->interfaceNumber >= 0)
        libusb_release_interface(usb->handle, usb->interfaceNumber);
    libusb_close(usb->handle);
    usb->handle = nullptr;
    usb->interfaceNumber = -1;
}

int Open(void* context, const UsbDeviceInfo* device, int interfaceNumber, UsbOpened* opened,
         char* why, size_t whySize)
{
    LibusbPort* usb = Port(context);
    Close(context);
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(usb->context, &list);
    libusb_device* found = nullptr;
    for (ssize_t i = 0; i < count; i++)
        if (libusb_get_bus_number(list[i]) == device->bus &&
            libusb_get_device_address(list[i]) == device->address)
            found = list[i];
    int r = found ? libusb_open(found, &usb->handle) : LIBUSB_ERROR_NO_DEVICE;
    libusb_config_descriptor* config = nullptr;
    if (r == 0)
        r = libusb_get_active_config_descriptor(found, &config);
    libusb_free_device_list(list, 1);
    if (r == LIBUSB_ERROR_ACCESS) {
        std::snprintf(why, whySize,
                      "no permission (install the udev rule, see the README's \"For Linux\")");
        Close(context);
        return USB_FAILED;
    }
    if (r != 0) {
        std::snprintf(why, whySize, "%s", libusb_strerror(static_cast<libusb_error>(r)));
        Close(context);
        return r == LIBUSB_ERROR_NO_DEVICE ? USB_GONE : USB_FAILED;
    }
    Pipes pipes = {};
    const int havePipes = FindPipes(config, interfaceNumber, &pipes);
    libusb_free_config_descriptor(config);
    if (!havePipes) {
        if (interfaceNumber >= 0)
            std::snprintf(why, whySize, "interface %d has no bulk-out and bulk-in endpoint",
                          interfaceNumber);
        else
            std::snprintf(why, whySize, "no interface has a bulk-out and a bulk-in endpoint");
        Close(context);
        return USB_FAILED;
    }
    // A kernel driver that took the interface (a printer driver, say) gives it back when the
    // bridge releases it.
    libusb_set_auto_detach_kernel_driver(usb->handle, 1);
    r = libusb_claim_interface(usb->handle, pipes.interfaceNumber);
    if (r != 0) {
        if (r == LIBUSB_ERROR_BUSY)
            std::snprintf(why, whySize, "another program holds interface %d",
                          pipes.interfaceNumber);
        else
            std::snprintf(why, whySize, "interface %d cannot be claimed: %s", pipes.interfaceNumber,
                          libusb_strerror(static_cast<libusb_error>(r)));
        Close(context);
        return r == LIBUSB_ERROR_NO_DEVICE ? USB_GONE : USB_FAILED;
    }
    usb->interfaceNumber = pipes.interfaceNumber;
    usb->outEndpoint = pipes.out;
    usb->inEndpoint = pipes.in;
    usb->inPacketSize = pipes.inPacketSize ? pipes.inPacketSize : 64;
    opened->languageId = LanguageOf(usb->handle);
    opened->interfaceNumber = pipes.interfaceNumber;
    opened->outEndpoint = pipes.out;
    opened->inEndpoint = pipes.in;
    return USB_OK;
}

int Write(void* context, const uint8_t* bytes, uint32_t count, int timeoutMs)
{
    LibusbPort* usb = Port(context);
    if (!usb->handle)
        return USB_FAILED;
    uint32_t sent = 0;
    while (sent < count) {
        int done = 0;
        // libusb only reads an OUT transfer's buffer.
        const int r =
            libusb_bulk_transfer(usb->handle, usb->outEndpoint, const_cast<uint8_t*>(bytes + sent),
                                 static_cast<int>(count - sent), &done, TimeoutOf(timeoutMs));
        sent += static_cast<uint32_t>(done > 0 ? done : 0);
        if (r != 0)
            return Result(r);
    }
    return USB_OK;
}

// One packet at a time: a read ends with any packet, so a reply whose length is a multiple of
// the packet size is passed on at once instead of when the time-out ends the transfer.
int Read(void* context, uint8_t* buffer, uint32_t capacity, uint32_t* got, int timeoutMs)
{
    LibusbPort* usb = Port(context);
    *got = 0;
    if (!usb->handle)
        return USB_FAILED;
    const uint32_t size = capacity < usb->inPacketSize ? capacity : usb->inPacketSize;
    int done = 0;
    const int r = libusb_bulk_transfer(usb->handle, usb->inEndpoint, buffer, static_cast<int>(size),
                                       &done, TimeoutOf(timeoutMs));
    // A transfer cut by its time-out may still have brought bytes: they are the device's.
    *got = static_cast<uint32_t>(done > 0 ? done : 0);
    if (r == 0 || (r == LIBUSB_ERROR_TIMEOUT && *got > 0))
        return *got > 0 ? USB_OK : USB_TIMED_OUT;
    return Result(r);
}

}  // namespace

int InitLibusbPort(LibusbPort* usb, char* why, size_t whySize)
{
    usb->port = {usb, List, Open, Write, Read, Close};
    usb->handle = nullptr;
    usb->interfaceNumber = -1;
    usb->outEndpoint = usb->inEndpoint = 0;
    usb->inPacketSize = 64;
    usb->context = nullptr;
    const int r = libusb_init(&usb->context);
    if (r != 0) {
        std::snprintf(why, whySize, "libusb cannot start: %s",
                      libusb_strerror(static_cast<libusb_error>(r)));
        usb->context = nullptr;
        return 0;
    }
    return 1;
}

void CloseLibusbPort(LibusbPort* usb)
{
    Close(usb);
    if (usb->context)
        libusb_exit(usb->context);
    usb->context = nullptr;
}
