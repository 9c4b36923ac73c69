#pragma once
// Opening a link that the user clicked (a URL cell, a mark-up anchor). Only web and mail
// links (http, https, ftp, mailto) are handed to the desktop, through the process service
// (platform/process.h, whose fake the tests install); anything else, such as a program or a
// local file named by a cell text, is refused.
#include <QString>

// The link's scheme is one of http, https, ftp and mailto (any case).
bool IsOpenableLink(const QString &Link);
// Opens an openable link with the desktop's program for it; false when the link is refused
// or the desktop could not open it.
bool ShellOpenLink(const QString &Link);
