/*
 * Start-up steps timed for the start-up benchmark: when MORAVEL_STARTUP_TRACE names a file,
 * the program notes the performance counter at each step and writes the notes there as it
 * ends. Off (one flag tested per step) unless asked.
 */
#ifndef MORAVEL_STARTUP_TRACE_WIN_H
#define MORAVEL_STARTUP_TRACE_WIN_H

enum StartupStep {
    STEP_ENTRY,
    STEP_INSTANCE_CHECK,
    STEP_PROFILE,
    STEP_RESOURCES,
    STEP_CLASS,
    STEP_CONTROLS,
    STEP_COM,
    STEP_BACKUP_READ,
    STEP_TOOLBAR,
    STEP_STATUS_BAR,
    STEP_PANEL,
    STEP_WINDOW_CREATED,
    STEP_FIRST_PAINT,
    STEP_ACCELERATORS,
    /* After the first paint: what the first window does not show. */
    STEP_TREE,
    STEP_LISTS,
    STEP_COUNT
};

/* Reads MORAVEL_STARTUP_TRACE; an empty or over-long value leaves tracing off. */
void BeginStartupTrace();
void MarkStartupStep(StartupStep step);
/* Writes "<step> <counter>" lines, one per step reached, to the file asked for. 1 when written,
 * 0 when tracing is off or the file cannot be written. */
int WriteStartupTrace();
/* The step's name in the file, or nullptr past the last step. */
const char* StartupStepName(int step);

#endif
