#pragma once
// Thin wrappers over the system's file calls. Every failure throws FileError
// with the file's name, what was being done and the system's reason.
// Files and folders the program creates are its user's alone (0600, 0700):
// they hold a person's finances. Existing ones keep the permissions their
// owner gave them.
#include <QString>

namespace tallyo {

class PosixFile {
public:
    enum class Mode {
        Read,              // read only; the file must exist
        ReadWriteCreate,   // read and write, created empty when missing
        WriteTruncate,     // write only, created or emptied
    };

    PosixFile() = default;
    PosixFile(const QString& name, Mode mode);
    ~PosixFile();
    PosixFile(PosixFile&& other) noexcept;
    PosixFile& operator=(PosixFile&& other) noexcept;
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    const QString& name() const { return name_; }
    qint64 size() const;

    // Reads up to `length` bytes at `offset`; fewer only at the end of the file.
    qint64 readAt(char* buffer, qint64 length, qint64 offset) const;
    // Reads up to `length` bytes from the current position; fewer only at the end.
    qint64 readNext(char* buffer, qint64 length);
    // Writes all `length` bytes at `offset`.
    void writeAt(const char* buffer, qint64 length, qint64 offset);
    void truncate(qint64 length);
    // Flushes the file's data to the disk.
    void sync();
    // Gives this file the permissions of the file `other`, which it is about
    // to replace; nothing when `other` does not exist. File systems without
    // permission bits refuse the change, and their files are all alike.
    void takePermissionsOf(const QString& other);
    // Tells the system the file will be read from start to end.
    void adviseSequential();
    // Closes the file; a failing close (which can report a lost write) throws.
    void close();

private:
    void closeQuietly() noexcept;

    int fd_ = -1;
    QString name_;
};

// Makes the folder `path` and any missing folder above it, each private to
// the user (0700); folders that exist are left as they are.
void MakePrivateFolder(const QString& path);
// Renames `from` to `to` in one step, replacing `to` if it exists.
void RenameFile(const QString& from, const QString& to);
// Deletes a file; a missing file is not an error.
void DeleteFile(const QString& name);
bool FileExists(const QString& name);
// The length of a file in bytes, or -1 when it does not exist.
qint64 FileLength(const QString& name);
// Makes a rename in the working folder durable.
void SyncWorkingFolder();
// Makes a rename in the given folder durable.
void SyncFolder(const QString& folder);
// The system's text for an error number.
QString SystemReason(int error);
// Why a data file that is a device, pipe or socket is not opened.
QString NotRegularFileReason();

}
