#pragma once
// Every PDF the program writes (a printed list or check into a file named on
// the command line, or the pages saved in the documents folder where no
// printer is installed) is made in memory and saved whole: the bytes go into
// a scratch file beside the target, are flushed to the disk and checked
// complete (the size as written, the PDF trailer at its end), and only then
// is the scratch file renamed over the target. A failure names the target
// and gives the system's reason, and the target stays as it was.
#include <QString>

namespace tallyo {

class PdfScratch {
public:
    // Makes the scratch file in the target's folder at once, so that a
    // folder that cannot be written is reported before any page is made.
    // Throws FileError.
    explicit PdfScratch(const QString& target);
    // Removes the scratch file unless it has replaced the target.
    ~PdfScratch();
    PdfScratch(const PdfScratch&) = delete;
    PdfScratch& operator=(const PdfScratch&) = delete;

    // The file name a PDF engine writes the document into (kept in memory).
    QString engineFileName() const;
    const QString& target() const { return target_; }

    // Checks the document the engine wrote, then writes, flushes and renames
    // it over the target. Throws FileError naming the target.
    void save();

private:
    QString target_;
    QString scratch_;
    int memory_ = -1;  // the in-memory file the engine writes to
    bool saved_ = false;
};

// Whether `bytes` end as a whole PDF file: "%%EOF" after a "startxref"
// whose offset points at the cross-reference table inside the file.
bool IsCompletePdf(const QByteArray& bytes);

}
