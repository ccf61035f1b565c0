#pragma once
// The desktop side of the Prompts seam: the program's own message dialog,
// a simple input prompt and the desktop's folder picker.
#include "prompts.h"

namespace tallyo {

class DesktopPrompts : public Prompts {
public:
    MessageAnswer showMessage(const MessageRequest& request) override;
    // Title, prompt, default text, OK and Cancel; Cancel gives the empty text.
    QString inputText(const QString& title, const QString& prompt,
                      const QString& defaultText) override;
    QString pickFolder(const QString& title, const QString& startFolder) override;
    QString pickFile(const QString& title, const QString& startFolder, const QString& filter) override;
};

}
