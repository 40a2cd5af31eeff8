// The group dialog's decisions. See dial_group.h.
#include "dial/dial_group.h"

#include "document/document.h"
#include "resources/resource_ids.h"
#include "ui/field_filters.h"

namespace {

int Has(const DialMember* list, int count, int index)
{
    for (int k = 0; k < count; k++)
        if (list[k].index == index)
            return 1;
    return 0;
}

int Contains(const int* rows, int count, int row)
{
    for (int i = 0; i < count; i++)
        if (rows[i] == row)
            return 1;
    return 0;
}

// Keeps the members whose rows are not selected; `first` is the row of list[0].
int KeepUnselected(DialMember* list, int count, int first, const int* rows, int rowCount,
                   int* removed, int* removedCount)
{
    int kept = 0;
    for (int k = 0; k < count; k++) {
        if (Contains(rows, rowCount, first + k))
            removed[(*removedCount)++] = list[k].index;
        else
            list[kept++] = list[k];
    }
    return kept;
}

}  // namespace

int MemberTotal(const GroupMembers& members) { return members.quickCount + members.speedCount; }

int HasQuickMember(const GroupMembers& members, int key)
{
    return Has(members.quick, members.quickCount, key);
}

int HasSpeedMember(const GroupMembers& members, int entry)
{
    return Has(members.speed, members.speedCount, entry);
}

GroupMembers MembersOfGroup(const DialRecord& group)
{
    GroupMembers members = {};
    const int count = group.memberCount < GROUP_MEMBER_MAX ? group.memberCount : GROUP_MEMBER_MAX;
    for (int k = 0; k < count; k++) {
        const DialMember& m = group.members[k];
        if (m.table == MEMBER_TABLE_QUICK)
            members.quick[members.quickCount++] = m;
        else if (m.table == MEMBER_TABLE_SPEED)
            members.speed[members.speedCount++] = m;
    }
    return members;
}

int IsQuickCandidate(const EditState& state, int key, int editedKey, const GroupMembers& members)
{
    if (key == editedKey || HasQuickMember(members, key))
        return 0;
    DialRecord r;
    if (!DecodeQuickKey(&r, state, key))
        return 0;
    return !r.programDial && !r.chain && r.kind != KIND_GROUP;
}

int IsSpeedCandidate(const EditState& state, int entry, const GroupMembers& members)
{
    if (HasSpeedMember(members, entry))
        return 0;
    DialRecord r;
    return DecodeSpeedEntry(&r, state, entry) && !r.chain;
}

int AddQuickMembers(GroupMembers* members, const int* keys, int count)
{
    int added = 0;
    for (int i = 0; i < count && MemberTotal(*members) < GROUP_MEMBER_MAX; i++) {
        if (HasQuickMember(*members, keys[i]))
            continue;
        members->quick[members->quickCount++] = {MEMBER_TABLE_QUICK, static_cast<uint8_t>(keys[i])};
        added++;
    }
    return added;
}

int AddSpeedMembers(GroupMembers* members, const int* entries, int count)
{
    int added = 0;
    for (int i = 0; i < count && MemberTotal(*members) < GROUP_MEMBER_MAX; i++) {
        if (HasSpeedMember(*members, entries[i]))
            continue;
        members->speed[members->speedCount++] = {MEMBER_TABLE_SPEED,
                                                 static_cast<uint8_t>(entries[i])};
        added++;
    }
    return added;
}

void RemoveMemberRows(GroupMembers* members, const int* rows, int count, int* removedKeys,
                      int* removedKeyCount, int* removedEntries, int* removedEntryCount)
{
    *removedKeyCount = *removedEntryCount = 0;
    const int quickCount = members->quickCount;
    members->quickCount =
        KeepUnselected(members->quick, quickCount, 0, rows, count, removedKeys, removedKeyCount);
    members->speedCount = KeepUnselected(members->speed, members->speedCount, quickCount, rows,
                                         count, removedEntries, removedEntryCount);
}

GroupProblem CheckGroupForm(const char* name, const GroupMembers& members)
{
    if (!name || name[0] == '\0')
        return {IDS_NEED_GROUP_NAME, IDC_GROUP_NAME};
    if (!HasVisibleText(name))
        return {IDS_INVALID_SETTING, IDC_GROUP_NAME};
    if (MemberTotal(members) == 0)
        return {IDS_NO_MEMBERS, IDC_GROUP_MEMBERS};
    return {0, 0};
}

uint32_t SaveGroupForm(EditState& state, DialRecord* record, int index, const GroupMembers& members,
                       int keyCount, uint16_t date)
{
    // The key gives up what it held: a Quick Dial entry replaced by the group leaves the groups
    // it was a member of.
    DialRecord previous;
    DecodeGroupKey(&previous, state, index);
    const DialRecord empty = {};
    EncodeGroupRecord(state, empty, index);
    state.quickDial.lengths[index] = 0;
    uint32_t emptied = RemoveFromGroups(state, previous, keyCount);

    record->inUse = 1;
    record->kind = KIND_GROUP;
    record->high = 1;
    record->index = static_cast<uint8_t>(index);
    record->entryDate = date;
    EncodeGroupKey(state, *record, index, members.quick, members.quickCount, members.speed,
                   members.speedCount);
    return emptied & ~(1u << index);
}
