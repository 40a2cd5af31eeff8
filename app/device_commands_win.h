/* The device commands of the main window (Tools menu, toolbar, device context menu). */
#ifndef MORAVEL_DEVICE_COMMANDS_WIN_H
#define MORAVEL_DEVICE_COMMANDS_WIN_H

#include <windows.h>

/* Connects the protocol's window effects to the main window and chooses the device backend
 * (MORAVEL_DEVICE) unless one was set already. Called once the main window exists. */
void InstallDeviceLink();

void OnConnect(HWND window);
void OnDisconnect(HWND window);
void OnDownload(HWND window);
void OnReadDevice(HWND window);
void OnUpload(HWND window);
/* Tools, Compare with Device...: the device's data beside Moravel's, worded as Upload shows
 * them, with Close only. */
void OnCompareDevice(HWND window);
/* Timer 1: the periodic check while remote mode is open. */
void OnPollTimer(HWND window);

/* Shutdown: leaves remote mode when it is open. */
void EndRemoteModeAtExit();

#endif
