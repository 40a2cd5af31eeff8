/*
 * The Print command: the "Print Destination List" dialog, the printer chosen once per command
 * through the system print dialog (one seam, so tests answer it), and one print job per list.
 * The preview (print_preview_win.cpp) prints through the same functions.
 */
#ifndef MORAVEL_PRINT_WIN_H
#define MORAVEL_PRINT_WIN_H

#include <windows.h>
#include <commdlg.h>

/* The lists chosen in "Print Destination List": 1 = print it. */
struct PrintChoice {
    int quick;
    int speed;
    int group;
};

/* Runs dialog 154 modally, owned by owner, all three lists chosen at first. 1 with the three
 * choices stored in choice on OK; 0 on Cancel or close, choice untouched. */
int RunPrintChoice(HWND owner, PrintChoice* choice);

/* What the print dialog gave: a printer device context, and the copies it asks for. */
struct ChosenPrinter {
    HDC dc;
    int copies;
    int collate;
};

/* The print dialog's flags: a device context back, no selection, no page range, no printing to
 * a file, collated copies offered. */
constexpr DWORD PRINT_DIALOG_FLAGS =
    PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_COLLATE | PD_DISABLEPRINTTOFILE;

/* Tests answer the print dialog here instead of a person: fill chosen and return 1, or return
 * 0 for Cancel. The printing code owns (and deletes) the device context it is given. */
typedef int (*PrinterDialogHook)(HWND owner, DWORD flags, ChosenPrinter* chosen);
void SetPrinterDialogHook(PrinterDialogHook hook);

/* Asks for the printer (once per Print command); 1 when one was chosen. After Cancel every
 * further list of the command is skipped. */
int ChoosePrinter(HWND owner);
/* One print job each, on the printer of this command (asked for first when not chosen yet).
 * kind 0 Quick Dial, 1 Speed Dial. 1 printed; 0 skipped (printer dialog cancelled); -1 failed,
 * reported to the user, and the rest of the command is skipped. */
int PrintDialList(HWND owner, int kind);
int PrintGroupList(HWND owner);
/* Ends the command's printer choice: the next command asks again. */
void ResetPrinterChoice();

/* The Print command's steps after the choice: a connected program disconnects first, then the
 * chosen lists print in the order Quick Dial, Speed Dial, Group, and the printer choice ends.
 * Returns 1 when something printed, 0 when nothing did, -1 after a failure. */
int PrintChosenLists(HWND mainWindow, HWND owner, const PrintChoice& choice);

void OnPrint(HWND mainWindow);
void OnPrintPreview(HWND mainWindow);

#endif
