#pragma once
// Compares printed output, as a transcript text, with the stored expected
// file <test folder>/data/<name>.txt. A missing or different file fails the
// test; running the test with TALLYO_UPDATE_TRANSCRIPTS=1 writes the files
// from the current output instead (check them before committing).
#include <QString>

namespace tallyo::test {

// Reports a failure to QtTest at file:line and returns false on a mismatch.
bool matchesTranscript(const QString& actual, const QString& dataFolder, const QString& name,
                       const char* file, int line);

}

// Use in a test function of a folder built with TALLYO_TEST_DATA.
#define TALLYO_COMPARE_TRANSCRIPT(actual, name)                                                  \
    do {                                                                                         \
        if (!::tallyo::test::matchesTranscript((actual), QStringLiteral(TALLYO_TEST_DATA), (name), \
                                               __FILE__, __LINE__))                              \
            return;                                                                              \
    } while (false)
