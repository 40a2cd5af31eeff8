// Which commands are offered in each state of the program.
#include <gtest/gtest.h>

#include <vector>

#include "app/ui_rules.h"
#include "resources/resource_ids.h"
#include "ui/app_state.h"

namespace {

// The window's facts and whether the document holds data.
struct ShownState : AppState {
    int data;
};

ShownState State(int data, int connected, View view = VIEW_DEVICE)
{
    ShownState state;
    ResetAppState(&state);
    state.data = data;
    state.connected = connected;
    state.currentView = view;
    return state;
}

UiDecision Decide(const ShownState& state, RowFacts facts = {0, -1})
{
    UiDecision d;
    DecideUiState(state, state.data, facts, &d);
    return d;
}

struct Expect {
    int command;
    int menu;     // expected menu state, -1 = not in the menu rules
    int toolbar;  // expected toolbar state, -1 = not on the toolbar
};

void Check(const ShownState& app, const std::vector<Expect>& expected, const char* state)
{
    UiDecision d = Decide(app);
    for (const Expect& e : expected) {
        EXPECT_EQ(e.menu, MenuEnabled(d, e.command)) << state << ": menu " << e.command;
        EXPECT_EQ(e.toolbar, ToolbarEnabled(d, e.command)) << state << ": toolbar " << e.command;
    }
}

TEST(UiRules, NoDataOffline)
{
    Check(State(0, 0),
          {{IDM_CONNECT, 1, 1},
           {IDM_DISCONNECT, 0, 0},
           {IDM_DOWNLOAD, 0, 0},
           {IDM_UPLOAD, 0, 0},
           {IDM_SAVE, 0, 0},
           {IDM_DEVICE_SETTINGS, 0, 0},
           {IDM_SAVE_AS, 0, -1},
           {IDM_PRINT, 0, -1},
           {IDM_PRINT_PREVIEW, 0, -1},
           {IDM_TOTAL_COUNTER, 0, -1},
           {IDM_DEVICE_INFO, 0, -1},
           {IDM_VIEW_QUICK, 0, -1},
           {IDM_VIEW_SPEED, 0, -1},
           {IDM_VIEW_GROUP, 0, -1},
           {IDM_CUT, 0, -1},
           {IDM_COPY, 0, -1},
           {IDM_PASTE, 0, -1},
           {IDM_DELETE, 0, -1},
           {IDM_OPEN, -1, -1}},
          "no data, offline");
    EXPECT_EQ(0, Decide(State(0, 0)).enableProperties);
}

TEST(UiRules, NoDataConnectedOffersDownloadNotUpload)
{
    Check(State(0, 1),
          {{IDM_CONNECT, 0, 0},
           {IDM_DISCONNECT, 1, 1},
           {IDM_DOWNLOAD, 1, 1},
           {IDM_UPLOAD, 0, 0},
           {IDM_SAVE, 0, 0},
           {IDM_PRINT, 0, -1},
           {IDM_PRINT_PREVIEW, 0, -1}},
          "no data, connected");
}

TEST(UiRules, DataOfflineKeepsFileAndSettingsCommands)
{
    Check(State(1, 0),
          {{IDM_CONNECT, 1, 1},
           {IDM_DISCONNECT, 0, 0},
           {IDM_DOWNLOAD, 0, 0},
           {IDM_UPLOAD, 0, 0},
           {IDM_SAVE, 1, 1},
           {IDM_DEVICE_SETTINGS, 1, 1},
           {IDM_SAVE_AS, 1, -1},
           {IDM_PRINT, 1, -1},
           {IDM_PRINT_PREVIEW, 1, -1},
           {IDM_TOTAL_COUNTER, 1, -1},
           {IDM_DEVICE_INFO, 1, -1},
           {IDM_VIEW_GROUP, 1, -1}},
          "data, offline");
    EXPECT_EQ(1, Decide(State(1, 0)).enableProperties);
}

TEST(UiRules, DataConnectedOffersTheTransfers)
{
    Check(State(1, 1),
          {{IDM_CONNECT, 0, 0},
           {IDM_DISCONNECT, 1, 1},
           {IDM_DOWNLOAD, 1, 1},
           {IDM_UPLOAD, 1, 1},
           {IDM_DEVICE_SETTINGS, 1, 1},
           {IDM_PRINT, 1, -1},
           {IDM_PRINT_PREVIEW, 1, -1}},
          "data, connected");
    UiDecision d = Decide(State(1, 1));
    EXPECT_EQ(1, d.enableTreeAndList);
    EXPECT_EQ(IDS_CONNECTION_ONLINE, d.connectionTextId);
    EXPECT_EQ(IDS_CONNECTION_OFFLINE, Decide(State(1, 0)).connectionTextId);
    EXPECT_EQ(0, Decide(State(1, 0)).enableTreeAndList) << "offline leaves them as they are";
}

TEST(UiRules, ComparisonsNeedTheirTwoSidesAndTheHistoryIsAlwaysThere)
{
    Check(State(0, 1),
          {{IDM_COMPARE_DEVICE, 0, -1}, {IDM_COMPARE_FILE, 0, -1}, {IDM_DEVICE_HISTORY, 1, -1}},
          "no data, connected");
    Check(State(1, 0),
          {{IDM_COMPARE_DEVICE, 0, -1}, {IDM_COMPARE_FILE, 1, -1}, {IDM_DEVICE_HISTORY, 1, -1}},
          "data, offline");
    Check(State(1, 1), {{IDM_COMPARE_DEVICE, 1, -1}, {IDM_COMPARE_FILE, 1, -1}}, "data, connected");
}

TEST(UiRules, DialDirectoryTravelsOnlyWithData)
{
    for (int connected : {0, 1}) {
        Check(State(0, connected), {{IDM_EXPORT_DIRECTORY, 0, -1}, {IDM_IMPORT_DIRECTORY, 0, -1}},
              connected ? "no data, connected" : "no data, offline");
        // Offline too: the directory is the document's, not the device's.
        Check(State(1, connected, VIEW_SPEED),
              {{IDM_EXPORT_DIRECTORY, 1, -1}, {IDM_IMPORT_DIRECTORY, 1, -1}},
              connected ? "data, connected" : "data, offline");
    }
}

TEST(UiRules, PanesFollowDataAndView)
{
    struct Case {
        int data;
        View view;
        int tree, panel, list, members;
    } cases[] = {
        {0, VIEW_GROUP, 0, 1, 0, 0}, {1, VIEW_DEVICE, 1, 1, 0, 0}, {1, VIEW_QUICK, 1, 0, 1, 0},
        {1, VIEW_SPEED, 1, 0, 1, 0}, {1, VIEW_GROUP, 1, 0, 1, 1},
    };
    for (const Case& c : cases) {
        UiDecision d = Decide(State(c.data, 0, c.view));
        EXPECT_EQ(c.tree, d.showTree) << "data " << c.data << " view " << c.view;
        EXPECT_EQ(c.panel, d.showPanel) << "data " << c.data << " view " << c.view;
        EXPECT_EQ(c.list, d.showDialList) << "data " << c.data << " view " << c.view;
        EXPECT_EQ(c.members, d.showMemberList) << "data " << c.data << " view " << c.view;
    }
}

TEST(UiRules, EditItemsNeedASelectedRowWithContent)
{
    ShownState app = State(1, 0, VIEW_SPEED);
    app.selectedRow = 4;
    UiDecision d = Decide(app, {1, -1});
    EXPECT_EQ(1, MenuEnabled(d, IDM_CUT));
    EXPECT_EQ(1, MenuEnabled(d, IDM_COPY));
    EXPECT_EQ(1, MenuEnabled(d, IDM_DELETE));
    EXPECT_EQ(0, MenuEnabled(d, IDM_PASTE)) << "empty clipboard";

    app.selectedRow = -1;  // the member pane holds the selection
    EXPECT_EQ(0, MenuEnabled(Decide(app, {1, -1}), IDM_COPY));

    app.selectedRow = 4;
    EXPECT_EQ(0, MenuEnabled(Decide(app, {0, -1}), IDM_COPY)) << "row without destination";

    app.currentView = VIEW_DEVICE;
    EXPECT_EQ(0, MenuEnabled(Decide(app, {1, 0}), IDM_COPY)) << "device view";
}

TEST(UiRules, PasteFollowsTheClipboardAndTheTargetKey)
{
    const int quickEntry = 0x0A, group = 0x80, empty = 0x00, program = 0x40;
    struct Case {
        View view;
        int clipboardFilled, flags, paste;
        const char* what;
    } cases[] = {
        {VIEW_QUICK, 1, empty, 1, "quick copy onto an empty key"},
        {VIEW_QUICK, 1, quickEntry, 1, "quick copy onto a quick entry"},
        {VIEW_QUICK, 1, group, 0, "quick copy onto a group"},
        {VIEW_QUICK, 1, program, 1, "program keys are refused later, by paste itself"},
        {VIEW_QUICK, 0, empty, 0, "empty quick clipboard"},
        {VIEW_QUICK, 1, -1, 0, "no key selected"},
        {VIEW_SPEED, 1, -1, 1, "speed paste does not look at keys"},
        {VIEW_SPEED, 0, empty, 0, "empty speed clipboard"},
        {VIEW_GROUP, 1, group, 1, "group copy onto a group"},
        {VIEW_GROUP, 1, empty, 1, "group copy onto an empty key"},
        {VIEW_GROUP, 1, quickEntry, 0, "group copy onto a quick entry"},
        {VIEW_GROUP, 1, -1, 0, "no key selected"},
    };
    for (const Case& c : cases) {
        ShownState app = State(1, 0, c.view);
        app.selectedRow = c.flags >= 0 ? 2 : -1;
        int source = c.clipboardFilled ? 5 : -1;
        app.quickClipSource = c.view == VIEW_QUICK ? source : -1;
        app.speedClipSource = c.view == VIEW_SPEED ? source : -1;
        app.groupClipSource = c.view == VIEW_GROUP ? source : -1;
        EXPECT_EQ(c.paste, MenuEnabled(Decide(app, {0, c.flags}), IDM_PASTE)) << c.what;
    }
}

TEST(ContextMenus, DeviceMenuFollowsTheConnection)
{
    TreeMenuDecision d;
    DecideTreeMenu(State(1, 1), &d);
    EXPECT_EQ(0, d.connect);
    EXPECT_EQ(1, d.disconnect);
    EXPECT_EQ(1, d.download);
    EXPECT_EQ(1, d.upload);
    DecideTreeMenu(State(0, 0), &d);
    EXPECT_EQ(1, d.connect);
    EXPECT_EQ(0, d.disconnect);
    EXPECT_EQ(0, d.download);
    EXPECT_EQ(0, d.upload);
}

TEST(ContextMenus, RowMenu)
{
    RowMenuDecision d;
    ShownState app = State(1, 0, VIEW_QUICK);
    DecideRowMenu(app, 0, 0, 0x0A, &d);
    EXPECT_EQ(1, d.cut);
    EXPECT_EQ(1, d.copy);
    EXPECT_EQ(1, d.remove);
    EXPECT_EQ(0, d.paste) << "rows with content still need a filled clipboard";

    app.quickClipSource = 3;
    app.selectedRow = 1;
    DecideRowMenu(app, 1, 0, 0x00, &d);
    EXPECT_EQ(0, d.cut);
    EXPECT_EQ(0, d.copy);
    EXPECT_EQ(0, d.remove);
    EXPECT_EQ(1, d.paste) << "empty quick row, filled clipboard";

    app.currentView = VIEW_GROUP;
    app.groupClipSource = 3;
    DecideRowMenu(app, 1, 1, 0x80, &d);
    EXPECT_EQ(1, d.cut) << "a group row offers everything";
    EXPECT_EQ(1, d.paste);
    DecideRowMenu(app, 0, 0, 0x0A, &d);
    EXPECT_EQ(0, d.cut) << "a quick entry in the group view is no group";
    EXPECT_EQ(0, d.paste) << "nor a place for a group";
}

}
