#include "smalldisk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStorageInfo>

SmallDisk::SmallDisk(const QString& mountPoint, int kilobytes) : mountPoint_(mountPoint) {
    QDir().mkpath(mountPoint);
    mounted_ = QProcess::execute("mount", {"-t", "tmpfs", "-o",
                                           "size=" + QString::number(kilobytes) + "k,mode=0755",
                                           "tmpfs", mountPoint}) == 0;
}

SmallDisk::~SmallDisk() {
    if (mounted_)
        QProcess::execute("umount", {"-l", mountPoint_});
}

void SmallDisk::fillLeaving(qint64 bytes) const {
    QFile filler(QDir(mountPoint_).filePath(".filler"));
    filler.open(QIODevice::Append);
    const QByteArray block(1024, 'x');
    while (QStorageInfo(mountPoint_).bytesAvailable() > bytes && filler.write(block) > 0)
        filler.flush();
}
