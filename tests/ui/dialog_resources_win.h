/*
 * The dialog templates of a module for the tests that walk every form: their ids, their bytes,
 * and a copy that creates a page or panel as a hidden top-level window of its own.
 */
#ifndef MORAVEL_TESTS_UI_DIALOG_RESOURCES_WIN_H
#define MORAVEL_TESTS_UI_DIALOG_RESOURCES_WIN_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/dialog_template.h"

/* The ids of every RT_DIALOG resource of `module` that has a number. */
std::vector<int> DialogResourceIds(HMODULE module);
/* Template `id` of `module`: its bytes and size, or nullptr. */
const uint8_t* DialogResource(HMODULE module, int id, size_t* size);
/* The template with WS_CHILD, WS_VISIBLE, WS_DISABLED and DS_CONTROL replaced by WS_POPUP;
 * empty when the bytes are too short to hold a style. */
std::vector<uint8_t> AsHiddenPopup(const uint8_t* bytes, size_t size);
/* Reads every dialog template of `module` and hands each whole one to `look`, which writes its
 * findings to the report, one line each; a template that cannot be read is a line of its own.
 * *forms counts the templates `look` says it checked. The report. */
typedef std::function<bool(int id, const uint8_t* bytes, size_t size, const DialogTemplate& form,
                           std::ostream& report)>
    FormLook;
std::string WalkForms(HMODULE module, int* forms, const FormLook& look);
/* Every layout fault of every form of `module`, each created hidden from its own template and
 * measured in its own font at the prefix's DPI, one line each; *forms counts the forms checked. */
std::string LayoutFaultsOfForms(HMODULE module, int* forms);
/* The smallest screen the program is made for, 1024 x 768 at 96 DPI, in pixels at the
 * prefix's DPI. */
int ScreenWidthAtDpi();
int ScreenHeightAtDpi();
/* A template's text in UTF-8, for reports. */
std::string Utf8(const std::u16string& text);
/* The common controls and the program's own window classes that its templates name (a
 * stand-in draws nothing). */
void RegisterOwnClasses();

#endif
