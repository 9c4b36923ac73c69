#include "platform/shell.h"

#include "platform/process.h"

#include <QUrl>

bool IsOpenableLink(const QString &Link)
{
    const QUrl url(Link.trimmed(), QUrl::StrictMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
            scheme == QLatin1String("ftp")) &&
           !url.host().isEmpty();
}

bool ShellOpenLink(const QString &Link)
{
    return IsOpenableLink(Link) && Processes().OpenUrl(Link.trimmed());
}
