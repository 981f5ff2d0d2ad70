// The single-instance lock file.
#include "InstanceLock.h"
#include "Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString InstanceLock::defaultDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return dir;
}

InstanceLock::InstanceLock(const QString& directory)
    : m_path(QDir(directory).filePath(QStringLiteral("Tumblewick"))), m_lock(m_path)
{
    // Only a dead owner makes the lock stale, never its age: the program may run for weeks.
    m_lock.setStaleLockTime(0);
}

bool InstanceLock::tryAcquire()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return m_lock.tryLock(0);
}

bool InstanceLock::acquireOrExplain()
{
    if (tryAcquire())
        return true;
    Dialogs::instance().information(message());
    return false;
}
