/*
 * Where the program lives: its folder (where the backup, the help and the resource library
 * are) and the backup file's name.
 */
#ifndef MORAVEL_PROGRAM_WIN_H
#define MORAVEL_PROGRAM_WIN_H

#include <windows.h>

/* The program's folder, with its trailing backslash. */
const char* ProgramDirectory();
/* Puts the program's folder elsewhere (dir with its trailing backslash), before InitApplication:
 * each test process gets a folder of its own, so no two share a backup file. */
void SetProgramDirectory(const char* dir);
/* Full path of the backup file next to the program. */
const char* BackupPath(char* buffer, int size);

#endif
