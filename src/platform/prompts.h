#pragma once
// The program's questions to the user: the message dialog, the simple input
// prompt and the folder picker. Windows use the Qt implementation; tests
// answer through a scripted one.
#include <QString>
#include <QStringList>

namespace tallyo {

// Icon kinds of the message dialog: 0 and 1 application icon, 2 stop,
// 3 question, 4 exclamation, 5 information; any other value shows none.
enum IconKind : int {
    IconApplication = 1,
    IconStop = 2,
    IconQuestion = 3,
    IconExclamation = 4,
    IconInformation = 5,
};

struct MessageRequest {
    QString title;
    int iconKind = IconInformation;
    QString text;           // lines separated by CR LF
    int defaultButton = 1;  // 1-based
    bool showOption = false; // the "Don't show this again" box
    QStringList captions;   // button k shows captions[k - 1]
};

struct MessageAnswer {
    int result = 0;          // the pressed button (1-based); 0 for Esc or close
    bool optionChecked = false;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
    // The simple input prompt; Cancel gives the empty text.
    virtual QString inputText(const QString& title, const QString& prompt,
                              const QString& defaultText) = 0;
    // A folder chosen by the user, or the empty text when none was chosen.
    virtual QString pickFolder(const QString& title, const QString& startFolder) = 0;
    // A file chosen to be read, or the empty text when none was chosen;
    // `filter` as the file dialog takes it ("Statements (*.ofx *.qif)").
    // Only the windows ask for one: the commands' prompts have none.
    virtual QString pickFile(const QString& title, const QString& startFolder, const QString& filter)
    {
        Q_UNUSED(title) Q_UNUSED(startFolder) Q_UNUSED(filter)
        return {};
    }

    // Shorthand for the common call.
    int ask(const QString& title, int iconKind, const QString& text, int defaultButton,
            const QStringList& captions)
    {
        return showMessage({title, iconKind, text, defaultButton, false, captions}).result;
    }
};

}
