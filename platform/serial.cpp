#include "platform/serial.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

int Serial_Device_Check(const QString &path)
{
    struct stat st{};
    if (::stat(path.toLocal8Bit().constData(), &st) != 0)
        return errno;
    return S_ISCHR(st.st_mode) ? 0 : -1;
}

int Serial_Open_Error(const QString &path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

bool Serial_Set_Output_Flow(intptr_t handle, bool on)
{
    return ::tcflow(int(handle), on ? TCOON : TCOOFF) == 0;
}
