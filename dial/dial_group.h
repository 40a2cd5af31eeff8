// What the group dialog decides, apart from any window: which entries may join a group, how the
// add and remove buttons change its two member lists, the checks of OK, and how a confirmed
// group replaces what its key held. The dialog (dial_group_win.cpp) applies these.
#pragma once

#include <cstdint>

#include "document/dial_records.h"

// Room for more than a group holds, so the lists never overflow while the buttons keep the
// total at GROUP_MEMBER_MAX.
constexpr int GROUP_LIST_ROOM = 64;

// The members being edited: every Quick Dial key first, then every Speed Dial entry, each list
// in the order of adding. Indexes are 0-based.
struct GroupMembers {
    DialMember quick[GROUP_LIST_ROOM];
    int quickCount;
    DialMember speed[GROUP_LIST_ROOM];
    int speedCount;
};

int MemberTotal(const GroupMembers& members);
int HasQuickMember(const GroupMembers& members, int key);
int HasSpeedMember(const GroupMembers& members, int entry);

// The members of a stored group in its two lists; members of another table are left out.
GroupMembers MembersOfGroup(const DialRecord& group);

// A Quick Dial key may join the group edited on `editedKey` when it holds a single destination
// (not a program-dial key, a combination key or a group), is not already a member and is not
// the key being edited.
int IsQuickCandidate(const EditState& state, int key, int editedKey, const GroupMembers& members);
// A Speed Dial entry may join when it is in use, is no combination key and is not a member yet
// (program-dial entries may).
int IsSpeedCandidate(const EditState& state, int entry, const GroupMembers& members);

// ">>": adds the selected Quick Dial keys, in list order, while the group has room; returns how
// many were added (the first ones of `keys`).
int AddQuickMembers(GroupMembers* members, const int* keys, int count);
// "<<": the same for Speed Dial entries.
int AddSpeedMembers(GroupMembers* members, const int* entries, int count);
// "Delete": removes the members shown at the selected rows of the member list (Quick Dial
// members are its first rows). The removed keys and entries are put into `removedKeys` and
// `removedEntries` (room for GROUP_LIST_ROOM each) with their counts.
void RemoveMemberRows(GroupMembers* members, const int* rows, int count, int* removedKeys,
                      int* removedKeyCount, int* removedEntries, int* removedEntryCount);

// The first check of OK the group fails (message string id and the control to focus), or
// message 0.
struct GroupProblem {
    int message;
    int control;
};
GroupProblem CheckGroupForm(const char* name, const GroupMembers& members);

// Replaces what key `index` held by the group `record` with `members`, dated `date`: a Quick
// Dial entry it held leaves every group among the first keyCount keys first. Returns the mask
// of keys that became empty on the way.
uint32_t SaveGroupForm(EditState& state, DialRecord* record, int index, const GroupMembers& members,
                       int keyCount, uint16_t date);
