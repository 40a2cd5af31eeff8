// The forwarding destination of received faxes (item 0x1040E): reading any stored record into
// the destination it names, writing a typed one back, and whether a record names a destination
// the device can use.
//
// Record kinds (byte 0): 1 a typed e-mail address (byte 1 its length, the address from byte 6);
// 2 a typed fax number (byte 1 number length, packed at 5-29; byte 3 SUB length, packed at
// 30-39; byte 4 SID length, packed at 40-49); 5 and 6 the e-mail or fax of a Speed Dial entry,
// 9 and 10 of a Quick Dial key, byte 1 naming the entry (1-based). Kind 1 fills the long,
// 72-byte form; kind 2 only the short, 52-byte one.
#pragma once

#include <cstdint>

#include "document/document.h"

enum ForwardKind : uint8_t {
    FORWARD_KIND_EMAIL = 1,
    FORWARD_KIND_FAX = 2,
    FORWARD_KIND_SPEED_EMAIL = 5,
    FORWARD_KIND_SPEED_FAX = 6,
    FORWARD_KIND_QUICK_EMAIL = 9,
    FORWARD_KIND_QUICK_FAX = 10,
};

constexpr int FORWARD_EMAIL_MAX = 64;
constexpr int FORWARD_NUMBER_MAX = 50;
constexpr int FORWARD_CODE_MAX = 20;  // SUB and SID

enum ForwardType : uint8_t { FORWARD_NONE, FORWARD_FAX, FORWARD_EMAIL };

// A destination as the dialog shows and edits it.
struct ForwardDestination {
    uint8_t type;  // ForwardType
    char email[FORWARD_EMAIL_MAX + 1];
    char number[FORWARD_NUMBER_MAX + 1];
    char sub[FORWARD_CODE_MAX + 1];
    char sid[FORWARD_CODE_MAX + 1];
};

// The type a record's kind stands for, whether or not it names anything: odd kinds e-mail,
// even ones fax, among the six known kinds; FORWARD_NONE for any other.
uint8_t ForwardKindType(uint8_t kind);

// The destination of a 72-byte record; references are looked up in the state's dial tables.
// A reference to no entry, an empty one or one of the other type, and an unknown kind, give
// the record's type (if any) with empty texts. Reads nothing outside the record and tables.
ForwardDestination DecodeForwarding(const uint8_t* record, const EditState& state);

// The record of a typed destination: kind 1 for e-mail, kind 2 for fax, every other byte 0,
// each length cut to what its field holds.
void EncodeForwardingEmail(uint8_t* record, const char* address);
void EncodeForwardingFax(uint8_t* record, const char* number, const char* sub, const char* sid);

// Puts a typed destination into the edit state's record: an e-mail one as all 72 bytes, a fax
// one as its first 52 (the rest of the record stays), and the form that StoreEditState writes.
// Nothing changes for FORWARD_NONE.
void StoreForwardingDestination(ForwardingDestination& forwarding, const ForwardDestination& d);

// Clears the record and makes the store write all of it.
void ClearForwardingDestination(ForwardingDestination& forwarding);

// 1 when the record names a destination faxes can be forwarded to: an e-mail address that is
// not empty or a fax number that is not empty, typed or in the entry it names.
int IsForwardingUsable(const uint8_t* record, const EditState& state);

// The first check of the dialog's OK that the destination fails (0 when it passes): its
// message string id; *emailField says whether it concerns the address (else the number).
int CheckForwardDestination(const ForwardDestination& d, int* emailField);
