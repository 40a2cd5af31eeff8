/*
 * Small Win32 helpers shared by every window: strings by id, the one message box function,
 * handle casts from AppState.
 */
#ifndef MORAVEL_UI_UI_WIN_H
#define MORAVEL_UI_UI_WIN_H

#include <windows.h>

#include "document/document.h"
#include "ui/app_state.h"

inline HWND MainWindow() { return static_cast<HWND>(gApp.mainWindow); }
inline HINSTANCE ResourceModule() { return static_cast<HINSTANCE>(gApp.resourceModule); }
inline HINSTANCE InstanceModule() { return static_cast<HINSTANCE>(gApp.instanceModule); }
inline HWND AsWindow(void* handle) { return static_cast<HWND>(handle); }

/* Chooses the module resources come from: QVPVX.DLL in programDir when it loads, else the
 * instance. programDir ends with a backslash. */
void LoadResourceModule(HINSTANCE instance, const char* programDir);
/* Lets go of a resource library: the instance serves again. */
void FreeResourceLibrary();

/* COM for this thread, started at its first use (a file dialog, the shell, a screen reader's
 * names) rather than at start-up, which would load ole32 before the first window; EndCom
 * balances it at exit. */
void EnsureCom();
void EndCom();

/* Loads string id from the resource module into buffer, or from the program's own module when
 * the resource module lacks it; empty when neither has it. Returns buffer. */
const char* LoadStr(UINT id, char* buffer, int size);
/* The same from the program's own module (profile, version text: never from a library). */
const char* LoadOwnStr(UINT id, char* buffer, int size);

/* Every message box of the program goes through here, captioned "Moravel" (string 4). Tests
 * install a hook that answers instead of a person and records what was asked. */
int ShowMessage(HWND owner, const char* text, UINT flags);

/* The DPI `window` is shown at: its monitor's under per-monitor awareness, else the system's
 * (also for no window). */
int WindowDpi(HWND window);

/* Whether a high-contrast theme is on: then what the program colours itself takes the system's
 * colours. A test may say so instead of the system (1 or 0; -1 gives the system's answer). */
int IsHighContrast();
void OverrideHighContrast(int on);
/* Repaints a top-level window and every window in it, and passes a colour change on to the
 * common controls in it, which keep the colours they were created with. */
void RepaintForColours(HWND window);
int ShowMessageId(HWND owner, UINT textId, UINT flags);
/* The same with a caption of its own by string id: the dial directory's overwrite and delete
 * questions are titled "Warning" (string 56). */
int ShowMessageCaptionId(HWND owner, UINT textId, UINT captionId, UINT flags);

/* Moves a dialog to the middle of the screen the main window measured (the work area when it
 * measured nothing). */
void CentreOnScreen(HWND dialog);

typedef int (*MessageHook)(HWND owner, const char* text, const char* caption, UINT flags);
void SetMessageHook(MessageHook hook);

#endif
