/*
 * The device information dialogs, owned by the main window: Counter (template 147), Device
 * Info (template 708) and Properties (template 741), the only one that edits: the device's name
 * and its own fax number.
 */
#ifndef MORAVEL_DEVICE_INFO_WIN_H
#define MORAVEL_DEVICE_INFO_WIN_H

#include <windows.h>

/* Each runs its dialog modally. Properties ends with 1 after OK, 0 after Cancel. */
INT_PTR ShowCounterDialog(HWND owner);
INT_PTR ShowDeviceInfoDialog(HWND owner);
INT_PTR ShowPropertiesDialog(HWND owner);

#endif
