// Parameter text parsing for KVO_PostMsg and the shared number conversion. The text is copied
// into fixed slots so that no length the caller sends can overrun them.
#include "quillet/quillet_params.h"

#include <cstring>

namespace {

enum ParamField { FIELD_WINDOW, FIELD_MESSAGE, FIELD_L, FIELD_P };

struct PrefixRule {
    const char* prefix;
    ParamField field;
};

// Tested in this order; the first one found anywhere in a token decides its field.
const PrefixRule PREFIX_RULES[] = {
    {"+W:", FIELD_WINDOW}, {"+w:", FIELD_WINDOW}, {"+M:", FIELD_MESSAGE}, {"+m:", FIELD_MESSAGE},
    {"+L:", FIELD_L},      {"+l:", FIELD_L},      {"+P:", FIELD_P},       {"+p:", FIELD_P},
};

// The prefix is skipped by position, not by where it was found.
constexpr int VALUE_OFFSET = 3;

struct TokenList {
    char text[TOKEN_COUNT_MAX][TOKEN_TEXT_MAX + 1];
    int count;
};

// Splits at spaces; runs of spaces are one separator. An overlong token keeps its first
// TOKEN_TEXT_MAX characters and its rest is dropped, not made into a token of its own.
void SplitTokens(const char* text, TokenList* tokens)
{
    tokens->count = 0;
    int length = 0;  // of the token being copied; 0 when between tokens
    for (int i = 0; i < WORK_TEXT_MAX && text[i] != '\0'; i++) {
        if (text[i] == ' ') {
            length = 0;
            continue;
        }
        if (length == 0) {
            if (tokens->count == TOKEN_COUNT_MAX)
                break;
            tokens->text[tokens->count++][0] = '\0';
        }
        char* slot = tokens->text[tokens->count - 1];
        if (length < TOKEN_TEXT_MAX) {
            slot[length] = text[i];
            slot[length + 1] = '\0';
        }
        length++;
    }
}

void ApplyToken(const char* token, PostMsgParams* params)
{
    for (const PrefixRule& rule : PREFIX_RULES) {
        if (std::strstr(token, rule.prefix) == nullptr)
            continue;
        const uint32_t value = static_cast<uint32_t>(TextToInt32(token + VALUE_OFFSET, 16));
        switch (rule.field) {
        case FIELD_WINDOW:
            params->window = value;
            break;
        case FIELD_MESSAGE:
            params->message = value;
            break;
        case FIELD_L:
            params->lField = static_cast<uint16_t>(value & 0xFFFF);
            break;
        case FIELD_P:
            params->pField = static_cast<uint16_t>(value & 0xFFFF);
            break;
        }
        return;
    }
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The digit's value in any base up to 36, or 36 for a character that is no digit.
int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 36;
}

}  // namespace

PostMsgParams ParsePostMsgParams(const char* text)
{
    PostMsgParams params = {};
    if (text == nullptr)
        return params;
    TokenList tokens;
    SplitTokens(text, &tokens);
    for (int i = 0; i < tokens.count; i++)
        ApplyToken(tokens.text[i], &params);
    return params;
}

int32_t TextToInt32(const char* text, int base)
{
    if (text == nullptr || base < 0 || base == 1 || base > 36)
        return 0;
    const char* p = text;
    while (IsSpace(*p))
        p++;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        p++;
    }
    // "0x" belongs to the number only when a hex digit follows; "0xg" reads as 0.
    if ((base == 0 || base == 16) && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
        DigitValue(p[2]) < 16) {
        p += 2;
        base = 16;
    } else if (base == 0) {
        base = p[0] == '0' ? 8 : 10;
    }
    const uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    uint32_t magnitude = 0;
    for (; DigitValue(*p) < base; p++) {
        const uint32_t digit = static_cast<uint32_t>(DigitValue(*p));
        if (magnitude > (limit - digit) / static_cast<uint32_t>(base)) {
            magnitude = limit;  // saturated; the remaining digits change nothing
        } else {
            magnitude = magnitude * static_cast<uint32_t>(base) + digit;
        }
    }
    if (!negative)
        return static_cast<int32_t>(magnitude);
    return magnitude == 0x80000000u ? INT32_MIN : -static_cast<int32_t>(magnitude);
}
