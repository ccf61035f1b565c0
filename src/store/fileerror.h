#pragma once
// The one error of the data store: which file, what the program was doing,
// and what the system said. Each user action catches it at the window and
// shows it in the message dialog.
#include <QString>
#include <stdexcept>

namespace tallyo {

class FileError : public std::runtime_error {
public:
    FileError(QString file, QString operation, QString reason)
        : std::runtime_error(QStringLiteral("%1: %2: %3").arg(file, operation, reason).toStdString()),
          file_(std::move(file)), operation_(std::move(operation)), reason_(std::move(reason))
    {
    }
    const QString& file() const { return file_; }
    const QString& operation() const { return operation_; }
    const QString& reason() const { return reason_; }
    // A sentence for the user, e.g. "Could not write Account.dat: No space left on device".
    QString message() const
    {
        return QStringLiteral("Could not %1 %2:\r\n%3").arg(operation_, file_, reason_);
    }

private:
    QString file_;
    QString operation_;
    QString reason_;
};

}
