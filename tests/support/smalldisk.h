#pragma once

#include <QString>

// A file system of its own, of a few hundred kilobytes, mounted under a test's directory (the
// tests run as root) and unmounted when the test ends: a disk that fills up.
class SmallDisk {
  public:
    SmallDisk(const QString& mountPoint, int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString path() const { return mountPoint_; }
    // Fills the disk with a file of its own until no more than `bytes` are free.
    void fillLeaving(qint64 bytes) const;

  private:
    QString mountPoint_;
    bool mounted_ = false;
};
