/*
 * The binding frame: one procedure for every control kind of the tables in ui/bindings.h,
 * shared by the settings pages (settings/settings_page_win.cpp) and the dialogs
 * (ui/form_dialog_win.h). A Form is a dialog or page window with its table and the record the
 * table edits. Filling a control raises its notifications (an edit's EN_CHANGE, an address
 * control's change); the form is marked `filling` meanwhile, so its owner never takes those for
 * the user's edits.
 */
#ifndef MORAVEL_UI_FORM_WIN_H
#define MORAVEL_UI_FORM_WIN_H

#include <windows.h>

#include "ui/bindings.h"

struct Form {
    HWND window;
    const FormTable* table;
    void* record;     /* what the bindings edit */
    int japaneseMode; /* the device's Japanese character mode, for converted texts */
    int filling;      /* set while controls are filled: their notifications are not edits */
    int touched;      /* set when a bound store changed the record; the owner clears it */
};

/* Fills every bound control from the record and applies the enable and show rules. */
void FillForm(Form& form);
/* Shows a bound control's value again from the record (a rule changed it). */
void RefreshBinding(Form& form, int control);
/* Puts text into a control that is not the user's edit (a correction, a reset). */
void SetTextQuietly(Form& form, int control, const char* text);
/* Applies the table's enable and show rules to every control, and shows every label's text for
 * what its field now holds. */
void ApplyControlRules(Form& form);

/* A command of a control. 1 when the table binds the control (its store ran, and touched is
 * set when the record changed); 0 when the owner handles it. */
int OnFormCommand(Form& form, int control, int code);
/* A horizontal scroll bar's request; 1 when it is a bound slider. */
int OnFormScroll(Form& form, HWND bar, int request, int thumb);

/* A number field corrected when focus leaves it (NUMBER_CLAMP_ON_EXIT, while its checkWhen
 * holds): its text kept within its range (or the owner's correction) and stored. Owners also
 * run it for every such field that is stored as typed when their page is left: OK by Enter
 * leaves with the focus still in a field. */
void ClampNumberField(Form& form, const Binding& binding);
/* The range checks of the number fields that apply to `phase` (NUMBER_CHECK_LEAVE or
 * NUMBER_CHECK_APPLY), in table order, judged on the fields' texts; the first problem. */
CheckResult CheckNumberFields(const Form& form, uint8_t phase);
/* The number fields read only on Apply stored from their texts (their checks passed), those
 * corrected when left corrected first. */
void StoreNumbersOnApply(Form& form);

/* Each problem's message (captioned as every message, owned by the form's top window), its
 * field focused with its text selected. */
void ShowProblems(const Form& form, const CheckResult& result);

/* The text of a control of the form, at most `size` characters. */
int ControlText(const Form& form, int control, char* out, int size);

/* The shared list helpers. */
void FillComboFromStrings(HWND dialog, int combo, int firstString, int lastString, int selected);
void FillComboCoded(HWND dialog, int combo, const ComboRow* const* rows, int count, int64_t value);
int SelectComboByData(HWND dialog, int combo, int64_t value);
int64_t GetComboSelData(HWND dialog, int combo);

#endif
