// The forwarding destination record. See forwarding.h.
#include "settings/forwarding.h"

#include <cstring>

#include "document/dial_records.h"
#include "resources/resource_ids.h"
#include "ui/field_filters.h"

namespace {

constexpr int LENGTH = 1;  // e-mail and number length, or the entry a reference names
constexpr int SUB_LENGTH = 3;
constexpr int SID_LENGTH = 4;
constexpr int NUMBER_AT = 5;
constexpr int EMAIL_AT = 6;
constexpr int SUB_AT = 30;
constexpr int SID_AT = 40;

// A stored length cut to what its field holds, so a bad record never makes a read run past
// the field (and so past the 72 bytes).
int Clamped(uint8_t length, int max) { return length > max ? max : length; }

int Length(const char* text, int max)
{
    const size_t n = std::strlen(text);
    return n > static_cast<size_t>(max) ? max : static_cast<int>(n);
}

template <size_t N>
void CopyText(char (&out)[N], const char* text)
{
    std::memset(out, 0, N);
    for (size_t i = 0; i + 1 < N && text[i]; i++)
        out[i] = text[i];
}

// The referenced entry's destination, when the entry exists, is in use and has the type.
ForwardDestination FromEntry(uint8_t kind, uint8_t number, const EditState& state)
{
    ForwardDestination d = {};
    d.type = ForwardKindType(kind);
    const int speed = kind == FORWARD_KIND_SPEED_EMAIL || kind == FORWARD_KIND_SPEED_FAX;
    const int count = speed ? SPEED_DIAL_COUNT : QUICK_KEY_COUNT;
    if (number < 1 || number > count)
        return d;
    DialRecord entry;
    const int inUse = speed ? DecodeSpeedEntry(&entry, state, number - 1)
                            : DecodeQuickKey(&entry, state, number - 1);
    if (!inUse || entry.programDial || entry.kind == KIND_GROUP)
        return d;
    const uint8_t wanted = d.type == FORWARD_EMAIL ? DEST_EMAIL : DEST_FAX;
    if (entry.destType != wanted)
        return d;
    if (d.type == FORWARD_EMAIL) {
        CopyText(d.email, entry.email);
    } else {
        CopyText(d.number, entry.faxNumber);
        CopyText(d.sub, entry.sub);
        CopyText(d.sid, entry.sid);
    }
    return d;
}

}  // namespace

uint8_t ForwardKindType(uint8_t kind)
{
    switch (kind) {
    case FORWARD_KIND_EMAIL:
    case FORWARD_KIND_SPEED_EMAIL:
    case FORWARD_KIND_QUICK_EMAIL:
        return FORWARD_EMAIL;
    case FORWARD_KIND_FAX:
    case FORWARD_KIND_SPEED_FAX:
    case FORWARD_KIND_QUICK_FAX:
        return FORWARD_FAX;
    }
    return FORWARD_NONE;
}

ForwardDestination DecodeForwarding(const uint8_t* record, const EditState& state)
{
    ForwardDestination d = {};
    switch (record[0]) {
    case FORWARD_KIND_EMAIL: {
        d.type = FORWARD_EMAIL;
        // At most 64 bytes from byte 6 end at byte 69; a zero byte ends the address early.
        const int n = Clamped(record[LENGTH], FORWARD_EMAIL_MAX);
        for (int i = 0; i < n && record[EMAIL_AT + i]; i++)
            d.email[i] = static_cast<char>(record[EMAIL_AT + i]);
        break;
    }
    case FORWARD_KIND_FAX:
        d.type = FORWARD_FAX;
        // 50 digits fill the 25 bytes 5-29, 20 the 10 bytes of SUB and SID.
        UnpackDialDigits(d.number, record + NUMBER_AT, Clamped(record[LENGTH], FORWARD_NUMBER_MAX));
        UnpackDialDigits(d.sub, record + SUB_AT, Clamped(record[SUB_LENGTH], FORWARD_CODE_MAX));
        UnpackDialDigits(d.sid, record + SID_AT, Clamped(record[SID_LENGTH], FORWARD_CODE_MAX));
        break;
    case FORWARD_KIND_SPEED_EMAIL:
    case FORWARD_KIND_SPEED_FAX:
    case FORWARD_KIND_QUICK_EMAIL:
    case FORWARD_KIND_QUICK_FAX:
        d = FromEntry(record[0], record[LENGTH], state);
        break;
    }
    return d;
}

void EncodeForwardingEmail(uint8_t* record, const char* address)
{
    std::memset(record, 0, FORWARD_LONG_SIZE);
    const int n = Length(address, FORWARD_EMAIL_MAX);
    record[0] = FORWARD_KIND_EMAIL;
    record[LENGTH] = static_cast<uint8_t>(n);
    std::memcpy(record + EMAIL_AT, address, static_cast<size_t>(n));
}

void EncodeForwardingFax(uint8_t* record, const char* number, const char* sub, const char* sid)
{
    std::memset(record, 0, FORWARD_LONG_SIZE);
    const int n = Length(number, FORWARD_NUMBER_MAX);
    const int s = Length(sub, FORWARD_CODE_MAX);
    const int i = Length(sid, FORWARD_CODE_MAX);
    record[0] = FORWARD_KIND_FAX;
    record[LENGTH] = static_cast<uint8_t>(n);
    record[SUB_LENGTH] = static_cast<uint8_t>(s);
    record[SID_LENGTH] = static_cast<uint8_t>(i);
    PackDialDigits(record + NUMBER_AT, number, n);
    PackDialDigits(record + SUB_AT, sub, s);
    PackDialDigits(record + SID_AT, sid, i);
}

void StoreForwardingDestination(ForwardingDestination& forwarding, const ForwardDestination& d)
{
    uint8_t record[FORWARD_LONG_SIZE];
    if (d.type == FORWARD_EMAIL) {
        EncodeForwardingEmail(record, d.email);
        std::memcpy(forwarding.record, record, FORWARD_LONG_SIZE);
        forwarding.isEmail = 1;
    } else if (d.type == FORWARD_FAX) {
        EncodeForwardingFax(record, d.number, d.sub, d.sid);
        std::memcpy(forwarding.record, record, FORWARD_SHORT_SIZE);
        forwarding.isEmail = 0;
    }
}

void ClearForwardingDestination(ForwardingDestination& forwarding)
{
    std::memset(forwarding.record, 0, sizeof forwarding.record);
    // The long form, so no part of an earlier e-mail address stays behind in the image.
    forwarding.isEmail = 1;
}

int IsForwardingUsable(const uint8_t* record, const EditState& state)
{
    const ForwardDestination d = DecodeForwarding(record, state);
    if (d.type == FORWARD_EMAIL)
        return d.email[0] != '\0';
    if (d.type == FORWARD_FAX)
        return d.number[0] != '\0';
    return 0;
}

int CheckForwardDestination(const ForwardDestination& d, int* emailField)
{
    const int email = d.type == FORWARD_EMAIL;
    if (emailField)
        *emailField = email;
    if (email && d.email[0] == '\0')
        return IDS_NEED_EMAIL;
    if (!email && d.number[0] == '\0')
        return IDS_NEED_FAX_NUMBER;
    if (!email && !IsDialableNumber(d.number))
        return IDS_INVALID_SETTING;
    if (email && !IsEmailAddress(d.email))
        return IDS_EMAIL_INVALID;
    return 0;
}
