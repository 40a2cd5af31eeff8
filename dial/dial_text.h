// Texts between the program's single-byte form and the UTF-8 of the files the dial directory
// travels in (CSV, vCard). Names are Windows-1252 in the edit form; in the device's Japanese
// character mode they are the device's own bytes, whose single-byte katakana 0xA1-0xDF are
// U+FF61-U+FF9F. Also the one formatter of the import messages, safe for any string a resource
// library may supply.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Appends code point `cp` (at most U+10FFFF, no surrogate) to `out` as UTF-8.
void AppendUtf8(std::string* out, uint32_t cp);
// Reads the code point at *pos and moves *pos past it. 0 (and *pos unchanged) for a byte
// sequence that is not UTF-8: a stray continuation byte, a cut sequence, an overlong form, a
// surrogate or a value above U+10FFFF.
int NextUtf8(const std::string& text, size_t* pos, uint32_t* cp);
int IsUtf8(const std::string& text);

// The code point of Windows-1252 byte `b` (its five undefined bytes stand for the C1 controls
// of the same value, as Windows converts them), and the byte of a code point, or -1.
uint32_t Windows1252ToUnicode(uint8_t b);
int UnicodeToWindows1252(uint32_t cp);
std::string Windows1252ToUtf8(const std::string& bytes);

// A name of the edit form (NUL-terminated) as UTF-8.
std::string NameToUtf8(const char* name, int japaneseMode);
// A UTF-8 text as a name of the edit form: 1 with the bytes in *out, or 0 when a character has
// no byte in that form (then *bad is that character as UTF-8). NUL has no byte.
int NameFromUtf8(const std::string& utf8, int japaneseMode, std::string* out, std::string* bad);

// Text of a file that may start with a UTF-8 byte-order mark: with the mark it must be UTF-8
// (0 when not); without it, UTF-8 when it is that, else Windows-1252 (what a spreadsheet saves
// as plain "CSV" on a Western system). *text is UTF-8 without the mark.
int FileTextToUtf8(const uint8_t* bytes, size_t size, std::string* text);

// `pattern` with each "%s" or "%d" in turn replaced by the next of `args` (nothing once they
// run out) and "%%" by "%"; every other character as it is. Never reads past its arguments,
// whatever the pattern holds.
std::string FormatText(const std::string& pattern, const std::vector<std::string>& args);

// ASCII letters compared without case.
int SameWord(const std::string& a, const char* b);
// `text` without spaces and tabs at either end.
std::string TrimBlanks(const std::string& text);
