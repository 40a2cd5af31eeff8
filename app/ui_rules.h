/*
 * Which commands are offered: the enabling rules of the menu bar, the toolbar and the two
 * context menus, decided from the application state alone so they are tested natively. The
 * Win32 layer only applies the decisions.
 */
#ifndef MORAVEL_UI_RULES_H
#define MORAVEL_UI_RULES_H

#include <cstdint>

#include "ui/app_state.h"

/* What the rules need besides AppState: facts about the dial list and tables. */
struct RowFacts {
    int currentRowHasContent; /* views 1, 2: Destination text of currentRow not empty;
                                 view 3: the member list has a row */
    int selectedKeyFlags;     /* flags byte of the Quick Dial key at selectedRow, -1 if none */
};

struct CommandState {
    int command;
    int enabled;
};

constexpr int MAX_RULE_COMMANDS = 32;

struct UiDecision {
    CommandState menu[MAX_RULE_COMMANDS];
    int menuCount;
    CommandState toolbar[MAX_RULE_COMMANDS];
    int toolbarCount;
    int enableProperties; /* 1: enable Tools, Properties (never grayed again once enabled) */
    int showTree, showPanel, showDialList, showMemberList;
    int enableTreeAndList; /* 1: enable the tree and the dial list for input */
    int connectionTextId;  /* string to show in the panel, 0 to leave it */
};

/* The state of every menu item and toolbar button for app, whether the document holds data,
 * and the dial facts. */
void DecideUiState(const AppState& app, int dataPresent, const RowFacts& facts, UiDecision* out);

/* 1 when the decision lists command in the menu part and it is enabled; -1 when not listed. */
int MenuEnabled(const UiDecision& decision, int command);
int ToolbarEnabled(const UiDecision& decision, int command);

/* Device item context menu: 1 for each of Connect, Disconnect, Download, Upload offered. */
struct TreeMenuDecision {
    int connect, disconnect, download, upload;
};
void DecideTreeMenu(const AppState& app, TreeMenuDecision* out);

/* Row context menu: whether Cut, Copy, Paste, Delete are offered ("Properties..." always is).
 * destinationEmpty: the row's Destination text is empty (views 1, 2); rowIsGroup: the key at
 * the row decodes as a group in use (view 3). */
struct RowMenuDecision {
    int cut, copy, paste, remove;
};
void DecideRowMenu(const AppState& app, int destinationEmpty, int rowIsGroup, int selectedKeyFlags,
                   RowMenuDecision* out);

#endif
