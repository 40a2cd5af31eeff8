// The User Restriction page's rules: the typed password against the device's own (item
// 0x10D02), and what the dialog's OK stores. The values reach the image only with the sheet's
// next Apply, which sets the password item's length to its digits.
#pragma once

#include <cstdint>

#include "document/document.h"
#include "ui/bindings.h"

constexpr int RESTRICTION_DIGITS = RESTRICTION_PASSWORD_SIZE - 2;  // 8
enum : uint8_t { RESTRICTION_OFF = 0, RESTRICTION_ON = 1 };

// 1 when `typed` is exactly the stored password (an empty one matches an empty field).
int RestrictionPasswordMatches(const char* typed, const EditState& state);
// The dialog's OK: the choice and the new password (cut to 8 characters, the rest of the field
// cleared). 1 when the edit state changed.
int StoreRestriction(EditState& state, uint8_t enabled, const char* password);

// The tab binds nothing: it holds only the password that opens the dialog.
extern const FormTable RESTRICTION_TABLE;
