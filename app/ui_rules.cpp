/* The enabling rules of the menu bar, the toolbar and the context menus. */
#include "app/ui_rules.h"

#include "document/dial_records.h"
#include "resources/resource_ids.h"

namespace {

/* A Quick Dial copy may go onto a key that holds a Quick Dial entry or no group; without a
 * selected key there is nothing to read the flags of, so nothing is offered. */
int QuickPasteAllowed(int flags)
{
    return flags >= 0 && ((flags & FLAG_QUICK) || !(flags & FLAG_HIGH));
}

int GroupPasteAllowed(int flags)
{
    return flags >= 0 && ((flags & FLAG_HIGH) || !(flags & FLAG_QUICK));
}

int PasteOffered(const AppState& app, int selectedKeyFlags)
{
    switch (app.currentView) {
    case VIEW_QUICK:
        return app.quickClipSource >= 0 && QuickPasteAllowed(selectedKeyFlags);
    case VIEW_SPEED:
        return app.speedClipSource >= 0;
    case VIEW_GROUP:
        return app.groupClipSource >= 0 && GroupPasteAllowed(selectedKeyFlags);
    case VIEW_DEVICE:
        break;
    }
    return 0;
}

void Add(CommandState* list, int* count, int command, int enabled)
{
    if (*count < MAX_RULE_COMMANDS)
        list[(*count)++] = {command, enabled ? 1 : 0};
}

int Find(const CommandState* list, int count, int command)
{
    for (int i = 0; i < count; i++)
        if (list[i].command == command)
            return list[i].enabled;
    return -1;
}

}

void DecideUiState(const AppState& app, int dataPresent, const RowFacts& facts, UiDecision* out)
{
    *out = UiDecision{};
    const int data = dataPresent == 1;
    const int online = app.connected == 1;

    /* Commands that appear in both the menu and the toolbar share one rule. */
    struct Rule {
        int command;
        int enabled;
        int onToolbar;
    };
    const Rule rules[] = {
        {IDM_CONNECT, !online, 1},
        {IDM_DISCONNECT, online, 1},
        {IDM_DOWNLOAD, online, 1},
        {IDM_UPLOAD, online && data, 1},
        {IDM_SAVE, data, 1},
        {IDM_DEVICE_SETTINGS, data, 1},
        {IDM_SAVE_AS, data, 0},
        {IDM_PRINT, data, 0},
        {IDM_PRINT_PREVIEW, data, 0},
        {IDM_TOTAL_COUNTER, data, 0},
        {IDM_DEVICE_INFO, data, 0},
        {IDM_VIEW_QUICK, data, 0},
        {IDM_VIEW_SPEED, data, 0},
        {IDM_VIEW_GROUP, data, 0},
        /* A comparison has two sides; the history is a folder, there any time. */
        {IDM_COMPARE_DEVICE, online && data, 0},
        {IDM_COMPARE_FILE, data, 0},
        {IDM_DEVICE_HISTORY, 1, 0},
    };
    for (const Rule& r : rules) {
        Add(out->menu, &out->menuCount, r.command, r.enabled);
        if (r.onToolbar)
            Add(out->toolbar, &out->toolbarCount, r.command, r.enabled);
    }
    /* The dial directory travels with a document: an import replaces the one it has. */
    Add(out->menu, &out->menuCount, IDM_EXPORT_DIRECTORY, data);
    Add(out->menu, &out->menuCount, IDM_IMPORT_DIRECTORY, data);
    out->enableProperties = data;

    const View view = data ? app.currentView : VIEW_DEVICE;
    out->showTree = data;
    out->showPanel = view == VIEW_DEVICE;
    out->showDialList = view != VIEW_DEVICE;
    out->showMemberList = view == VIEW_GROUP;
    out->enableTreeAndList = data && online;
    out->connectionTextId = data ? (online ? IDS_CONNECTION_ONLINE : IDS_CONNECTION_OFFLINE) : 0;

    int cut = 0, paste = 0;
    if (app.currentView != VIEW_DEVICE) {
        cut = app.selectedRow >= 0 && facts.currentRowHasContent;
        paste = PasteOffered(app, facts.selectedKeyFlags);
    }
    Add(out->menu, &out->menuCount, IDM_CUT, cut);
    Add(out->menu, &out->menuCount, IDM_COPY, cut);
    Add(out->menu, &out->menuCount, IDM_DELETE, cut);
    Add(out->menu, &out->menuCount, IDM_PASTE, paste);
}

int MenuEnabled(const UiDecision& decision, int command)
{
    return Find(decision.menu, decision.menuCount, command);
}

int ToolbarEnabled(const UiDecision& decision, int command)
{
    return Find(decision.toolbar, decision.toolbarCount, command);
}

void DecideTreeMenu(const AppState& app, TreeMenuDecision* out)
{
    const int online = app.connected == 1;
    out->connect = !online;
    out->disconnect = online;
    out->download = online;
    out->upload = online;
}

void DecideRowMenu(const AppState& app, int destinationEmpty, int rowIsGroup, int selectedKeyFlags,
                   RowMenuDecision* out)
{
    *out = {1, 1, 1, 1};
    const View view = app.currentView;
    if (view == VIEW_QUICK || view == VIEW_SPEED) {
        if (destinationEmpty) {
            out->cut = out->copy = out->remove = 0;
            out->paste = PasteOffered(app, selectedKeyFlags);
        }
    } else if (view == VIEW_GROUP) {
        if (!rowIsGroup) {
            out->cut = out->copy = out->remove = 0;
            out->paste = PasteOffered(app, selectedKeyFlags);
        }
    }
    const int clipboardFilled = view == VIEW_QUICK   ? app.quickClipSource >= 0
                                : view == VIEW_SPEED ? app.speedClipSource >= 0
                                : view == VIEW_GROUP ? app.groupClipSource >= 0
                                                     : 0;
    if (!clipboardFilled)
        out->paste = 0;
}
