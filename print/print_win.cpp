/*
 * The Print command: the list choice dialog, the printer seam and the print jobs.
 */
#include "print/print_win.h"

#include "print/print_render_win.h"
#include "resources/resource_ids.h"
#include "ui/app_state.h"
#include "ui/form_dialog_win.h"
#include "ui/ui_win.h"

namespace {

/* The dialog's check boxes and the choices they hold. */
const Binding CHOICE_BINDINGS[] = {
    CheckBox(IDC_PRINT_QUICK, RECORD_FIELD(PrintChoice, quick), 1),
    CheckBox(IDC_PRINT_SPEED, RECORD_FIELD(PrintChoice, speed), 1),
    CheckBox(IDC_PRINT_GROUP, RECORD_FIELD(PrintChoice, group), 1),
};

int ChoiceInit(FormDialog&) { return IDOK; }

const FormDialogDef PRINT_CHOICE =
    Dialog(IDD_PRINT_CHOICE, Table(CHOICE_BINDINGS)).Init(ChoiceInit);

enum PrinterState { PRINTER_NOT_CHOSEN, PRINTER_CHOSEN, PRINTER_CANCELLED };

/* The printer of the Print command that is running. */
struct PrinterChoiceState {
    int state;
    ChosenPrinter printer;
};
PrinterChoiceState gPrinter = {PRINTER_NOT_CHOSEN, {nullptr, 1, 0}};

PrinterDialogHook gPrinterDialogHook = nullptr;

constexpr int TEXT_SIZE = 512;

/* The system print dialog. */
int RunPrintDialog(HWND owner, DWORD flags, ChosenPrinter* chosen)
{
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = flags;
    dialog.nCopies = 1;
    if (!PrintDlgA(&dialog) || !dialog.hDC) {
        if (dialog.hDC)
            DeleteDC(dialog.hDC);
        return 0;
    }
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    chosen->dc = dialog.hDC;
    chosen->copies = dialog.nCopies > 0 ? dialog.nCopies : 1;
    chosen->collate = (dialog.Flags & PD_COLLATE) != 0;
    return 1;
}

/* A message with the list's name in it ("The %s could not be printed."). */
void ReportListProblem(HWND owner, UINT textId, const std::string& listName)
{
    char format[TEXT_SIZE];
    LoadStr(textId, format, sizeof format);
    ShowMessage(owner, FormatReportText(format, {listName}, {}).c_str(), MB_OK | MB_ICONWARNING);
}

/* Prints every page of the report copies times on dc; 0 when the system refused any step. */
int PrintPages(HDC dc, const PageGeometry& geometry, const ReportContent& report, int pages,
               const ChosenPrinter& printer, const ReportDate& date)
{
    const int copies = printer.copies > 0 ? printer.copies : 1;
    /* Collated copies repeat the whole list, uncollated ones each page. */
    const int outer = printer.collate ? copies : 1;
    const int inner = printer.collate ? 1 : copies;
    for (int c = 0; c < outer; c++)
        for (int page = 0; page < pages; page++)
            for (int i = 0; i < inner; i++) {
                if (StartPage(dc) <= 0)
                    return 0;
                const int drawn = DrawReportPage(dc, geometry, report, page, date);
                if (EndPage(dc) <= 0 || drawn <= 0)
                    return 0;
            }
    return 1;
}

/* One list as one print job. Errors the system reports end the job (aborted, so nothing half
 * printed is left in the queue) and are told to the user. */
int PrintJob(HWND owner, int kind)
{
    const ChosenPrinter& printer = gPrinter.printer;
    const ReportContent report = BuildProgramReport(kind);
    const PageGeometry geometry = PrinterGeometry(printer.dc);
    ReportLayout layout;
    if (!LayoutReportOn(printer.dc, geometry, report, &layout)) {
        ReportListProblem(owner, IDS_PRINT_PAGE_TOO_SMALL, report.title);
        return -1;
    }
    char name[TEXT_SIZE];
    DOCINFOA document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = LoadStr(IDS_PRINT_DOC_NAME, name, sizeof name);
    HCURSOR cursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    int ok = StartDocA(printer.dc, &document) > 0;
    if (ok) {
        ok = PrintPages(printer.dc, geometry, report, static_cast<int>(layout.pageStarts.size()),
                        printer, TodayForReport());
        if (ok)
            ok = EndDoc(printer.dc) > 0;
        else
            AbortDoc(printer.dc);
    }
    SetCursor(cursor);
    if (!ok) {
        ReportListProblem(owner, IDS_PRINT_FAILED, report.title);
        return -1;
    }
    return 1;
}

int PrintList(HWND owner, int kind)
{
    if (gPrinter.state == PRINTER_CANCELLED)
        return 0;
    if (gPrinter.state == PRINTER_NOT_CHOSEN && !ChoosePrinter(owner))
        return 0;
    const int printed = PrintJob(owner, kind);
    if (printed < 0)
        gPrinter.state = PRINTER_CANCELLED;  // one message for a printer that refuses
    return printed;
}

}  // namespace

int RunPrintChoice(HWND owner, PrintChoice* choice)
{
    PrintChoice work = {1, 1, 1};
    if (RunFormDialog(owner, PRINT_CHOICE, &work, 0, nullptr) != 1)
        return 0;
    if (choice)
        *choice = work;
    return 1;
}

void SetPrinterDialogHook(PrinterDialogHook hook) { gPrinterDialogHook = hook; }

int ChoosePrinter(HWND owner)
{
    ChosenPrinter chosen = {nullptr, 1, 0};
    const int ok = gPrinterDialogHook ? gPrinterDialogHook(owner, PRINT_DIALOG_FLAGS, &chosen)
                                      : RunPrintDialog(owner, PRINT_DIALOG_FLAGS, &chosen);
    if (!ok || !chosen.dc) {
        if (chosen.dc)
            DeleteDC(chosen.dc);
        gPrinter.state = PRINTER_CANCELLED;
        return 0;
    }
    gPrinter.printer = chosen;
    gPrinter.state = PRINTER_CHOSEN;
    return 1;
}

int PrintDialList(HWND owner, int kind)
{
    return PrintList(owner, kind == 1 ? REPORT_SPEED : REPORT_QUICK);
}

int PrintGroupList(HWND owner) { return PrintList(owner, REPORT_GROUP); }

void ResetPrinterChoice()
{
    if (gPrinter.printer.dc)
        DeleteDC(gPrinter.printer.dc);
    gPrinter = PrinterChoiceState{PRINTER_NOT_CHOSEN, {nullptr, 1, 0}};
}

int PrintChosenLists(HWND mainWindow, HWND owner, const PrintChoice& choice)
{
    if (gApp.connected == 1)
        SendMessageA(mainWindow, WM_COMMAND, IDM_DISCONNECT, 0);
    int printed = 0, failed = 0;
    auto count = [&](int result) {
        printed += result > 0;
        failed += result < 0;
    };
    if (choice.quick)
        count(PrintDialList(owner, 0));
    if (choice.speed)
        count(PrintDialList(owner, 1));
    if (choice.group)
        count(PrintGroupList(owner));
    ResetPrinterChoice();
    return failed ? -1 : printed ? 1 : 0;
}

void OnPrint(HWND mainWindow)
{
    PrintChoice choice = {};
    if (!RunPrintChoice(mainWindow, &choice))
        return;
    PrintChosenLists(mainWindow, mainWindow, choice);
}
