/*
 * The dialog templates of a module for the tests that walk every form: their ids, their bytes,
 * and a copy that creates a page or panel as a hidden top-level window of its own.
 */
#ifndef MORAVEL_TESTS_UI_DIALOG_RESOURCES_WIN_H
#define MORAVEL_TESTS_UI_DIALOG_RESOURCES_WIN_H

#include <windows.h>

#include <cstdint>
#include <vector>

/* The ids of every RT_DIALOG resource of `module` that has a number. */
std::vector<int> DialogResourceIds(HMODULE module);
/* Template `id` of `module`: its bytes and size, or nullptr. */
const uint8_t* DialogResource(HMODULE module, int id, size_t* size);
/* The template with WS_CHILD, WS_VISIBLE, WS_DISABLED and DS_CONTROL replaced by WS_POPUP;
 * empty when the bytes are too short to hold a style. */
std::vector<uint8_t> AsHiddenPopup(const uint8_t* bytes, size_t size);
/* The common controls and the program's own window classes that its templates name (a
 * stand-in draws nothing). */
void RegisterOwnClasses();

#endif
