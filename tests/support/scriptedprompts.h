#pragma once
// Answers the program's questions in tests. Each test lists the calls it
// expects, in order, with their answers; a call that was not expected, or
// does not match, fails the running test and gets the empty answer (0, "").
// Answers still waiting at the end fail the test in verifyDone() and, as a
// last resort, in the destructor.
#include "platform/prompts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tallyo::test {

class ScriptedPrompts : public Prompts {
public:
    ~ScriptedPrompts() override;

    // A message dialog with this title; text, captions and icon kind are
    // checked when given.
    ScriptedPrompts& expectMessage(const QString& title, int result, bool optionChecked = false);
    ScriptedPrompts& expectMessage(const QString& title, const QString& text,
                                   const QStringList& captions, int result,
                                   bool optionChecked = false);
    ScriptedPrompts& expectMessageKind(int iconKind);  // refines the last message expected
    ScriptedPrompts& expectInput(const QString& title, const QString& answer);
    ScriptedPrompts& expectFolder(const QString& answer);
    ScriptedPrompts& expectFile(const QString& answer);

    // Fails the running test when expected calls were not made; true when
    // none are left. Clears what was left, so that one omission fails once.
    bool verifyDone();
    int pending() const { return int(expected_.size()); }

    // Every message request seen, in order.
    const QList<MessageRequest>& messages() const { return messages_; }
    // Every input prompt seen: title, prompt, default text.
    const QList<QStringList>& inputs() const { return inputs_; }
    // The title of every folder picker shown.
    const QStringList& folderPrompts() const { return folderPrompts_; }

    MessageAnswer showMessage(const MessageRequest& request) override;
    QString inputText(const QString& title, const QString& prompt,
                      const QString& defaultText) override;
    QString pickFolder(const QString& title, const QString& startFolder) override;
    QString pickFile(const QString& title, const QString& startFolder, const QString& filter) override;

private:
    enum class Kind { Message, Input, Folder, File };
    struct Expected {
        Kind kind;
        QString title;
        std::optional<QString> text;
        std::optional<QStringList> captions;
        std::optional<int> iconKind;
        MessageAnswer answer;
        QString textAnswer;
    };
    bool take(Kind kind, const QString& title, Expected& out);
    static QString describe(const Expected& expected);

    QList<Expected> expected_;
    QList<MessageRequest> messages_;
    QList<QStringList> inputs_;
    QStringList folderPrompts_;
};

}
