/*
 * One program at a time on the devices: a named lock that the window holds while it is
 * connected and the command line holds while it works, so neither talks over the other's
 * remote mode. The system drops it when its holder ends, however it ends.
 */
#ifndef MORAVEL_DEVICE_DEVICE_LOCK_WIN_H
#define MORAVEL_DEVICE_DEVICE_LOCK_WIN_H

/* The lock's name, for the devices the program reaches (DeviceLockName of its MORAVEL_DEVICE);
 * "" or nullptr when no other program can reach them: then the lock is always this process's.
 * A lock held under another name is let go first. */
void SetDeviceLockName(const char* name);

/* 1 when this process holds the lock now (just taken, or held already); 0 when another
 * process holds it. Never waits. */
int TakeDeviceLock();

/* Lets the lock go; harmless when it is not held. */
void ReleaseDeviceLock();

#endif
