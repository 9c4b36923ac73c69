#pragma once
// What the serial-port component asks of the system beyond Qt Serial Port: whether a path
// is a character device, why it does not open, and output flow control by hand.
#include <QString>
#include <cstdint>

// 0 for a character device, -1 for a path that exists but is no character device, else the
// system's error number (2 for a missing path).
int Serial_Device_Check(const QString &path);

// 0 when the device opens for reading and writing, else the system's error number.
int Serial_Open_Error(const QString &path);

// Resumes (on) or suspends output on an open port's descriptor, as if XON or XOFF had been
// received. False when the system refuses.
bool Serial_Set_Output_Flow(intptr_t handle, bool on);
