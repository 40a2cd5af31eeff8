/*
 * The Auto Tray Select dialog (template 2333) of the Paper page: one On/Off row per tray the
 * device has, bound to the edit state; Cancel puts the three choices back.
 */
#ifndef MORAVEL_SETTINGS_AUTO_TRAY_WIN_H
#define MORAVEL_SETTINGS_AUTO_TRAY_WIN_H

#include <windows.h>

/* Runs the dialog over the page `owner` belongs to; IDOK or IDCANCEL. */
INT_PTR RunAutoTraySelect(HWND owner);

#endif
