#include "DesktopPrompts.h"

#include "shell/frmMsgBox.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>

namespace tallyo {

MessageAnswer DesktopPrompts::showMessage(const MessageRequest& request)
{
    ShowMessage(request.title, request.iconKind, request.text, request.defaultButton,
                request.showOption, request.captions);
    const MessageDialogState& state = messageDialog();
    return {state.MessageResult, state.MessageOptionChecked};
}

QString DesktopPrompts::inputText(const QString& title, const QString& prompt,
                                  const QString& defaultText)
{
    QString shown = prompt;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), title, shown,
                                                 QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString DesktopPrompts::pickFolder(const QString& title, const QString& startFolder)
{
    // A window title has one line: the prompt's lines follow one another.
    QString caption = title;
    caption.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), caption, startFolder);
}

QString DesktopPrompts::pickFile(const QString& title, const QString& startFolder, const QString& filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, startFolder, filter);
}

}
