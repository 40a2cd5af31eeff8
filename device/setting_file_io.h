// Whole-file access for setting data files, behind a small seam: setting_file_io.cpp (C stdio,
// native builds) and setting_file_io_win.cpp (Win32, the Windows build) implement it, so the
// format code in setting_file.cpp stays portable and testable.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads the whole file at `path` into `buffer`; its size goes to *size. 1 on success; 0 when the
// file cannot be opened or read, or is larger than `capacity` (nothing useful is then in
// `buffer`).
int ReadWholeFile(const char* path, uint8_t* buffer, size_t capacity, size_t* size);

// Writes `bytes` as the whole content of `path` without ever leaving a half-written file: the
// bytes go to a temporary file in the same folder (`path` + SAFE_WRITE_SUFFIX), which replaces
// the target only once every byte is written and flushed. 1 on success; on any failure 0, the
// old file as it was and no temporary file left behind. A hidden target is replaced all the
// same; the new file has the archive attribute only.
int WriteWholeFileSafely(const char* path, const uint8_t* bytes, size_t size);

// Gives the file the hidden attribute and no other (the backup file); 1 on success. A no-op
// returning 1 where files have no such attribute.
int SetFileHiddenOnly(const char* path);

constexpr const char SAFE_WRITE_SUFFIX[] = ".tmp";

// Removes what a save that never ended (a crash, a power cut) left beside `path`: its
// temporary file. `path` itself is never touched. Harmless when there is none.
void RemoveStaleSaveFile(const char* path);

// The steps of WriteWholeFileSafely, for the crash tests: an observer set here is called at
// each, and a test's observer ends the process there. nullptr (the default) observes nothing.
enum SafeWriteStep : int {
    SAFE_WRITE_TEMP_CREATED = 1,
    SAFE_WRITE_HALF_WRITTEN = 2,
    SAFE_WRITE_ALL_WRITTEN = 3,  // flushed and closed
    SAFE_WRITE_BEFORE_REPLACE = 4,
    SAFE_WRITE_REPLACED = 5,
};
typedef void (*SafeWriteObserver)(int step);
void SetSafeWriteObserver(SafeWriteObserver observer);
