#include "accessprotection.h"

#include "platform/platform.h"
#include "store/datafiles.h"
#include "store/fields.h"

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");

AccountRecord ReadAccount(qint32 record)
{
    return WhileAccountIndexOpen([&] { return ReadAccountRecord(record); });
}

void WriteAccount(qint32 record, const AccountRecord& account)
{
    WhileAccountIndexOpen([&] { WriteAccountRecord(record, account); });
}

// The text as a record field keeps it: a character the file cannot hold
// reads back as "?". An answer typed with such a character was stored that
// way, so the answer given later is compared in the same form; otherwise it
// could never match again.
QString AsStored(const QString& text)
{
    QByteArray field(text.size(), ' ');
    WriteText(field.data(), int(field.size()), text);
    return TrimSpaces(ReadText(field.constData(), int(field.size())));
}

void Confirm(const QString& title, int icon, const QString& text)
{
    prompts().ask(title, icon, text, 1, {QStringLiteral("&Okay")});
}

}

bool IsProtected(const AccountRecord& account)
{
    return !TrimSpaces(account.AccessQuery).isEmpty();
}

bool CheckAccess(const AccountRecord& account)
{
    const QString query = TrimSpaces(account.AccessQuery);
    const QString answer = prompts()
                               .inputText(QStringLiteral("Authorization required"),
                                          QStringLiteral("In order to proceed, please") + crlf
                                              + QStringLiteral("verify your authorization by") + crlf
                                              + QStringLiteral("answering the following query:") + crlf
                                              + crlf + query,
                                          QString())
                               .trimmed();
    if (answer.isEmpty())
        return false;
    if (AsStored(answer).toLower() == TrimSpaces(account.AccessAnswer).toLower())
        return true;
    Confirm(QStringLiteral("Authorization denied"), IconStop,
            QStringLiteral("The provided response") + crlf + QStringLiteral("was not correct."));
    return false;
}

std::optional<AccessQueryAnswer> AskNewQueryAndAnswer()
{
    const QString query = prompts().inputText(
        QStringLiteral("The query..."),
        QStringLiteral("First, think of and type a short personal query") + crlf
            + QStringLiteral("(no more than 40 characters) whose one-word answer") + crlf
            + QStringLiteral("is known only to you and those you wish to know."),
        QString());
    if (query.trimmed().isEmpty())
        return std::nullopt;

    QString remark;
    for (;;) {
        QString prompt;
        if (!remark.isEmpty())
            prompt = remark + crlf + crlf;
        prompt += QStringLiteral("Now, type a short answer (no less than 3") + crlf
            + QStringLiteral("nor more than 15 characters) to the query:") + crlf + crlf + query.trimmed();
        const QString answer = prompts().inputText(QStringLiteral("The answer..."), prompt, QString()).trimmed();
        if (answer.isEmpty())
            return std::nullopt;
        if (answer.size() >= 3 && answer.size() <= 15)
            return AccessQueryAnswer{query.trimmed(), answer};
        remark = QStringLiteral("The answer you typed is not the correct length");
    }
}

bool ProtectAccount(ProtectRequest request, qint32 record)
{
    std::optional<AccessQueryAnswer> fresh;
    if (request != ProtectRequest::Establish && !CheckAccess(ReadAccount(record)))
        return false;
    if (request != ProtectRequest::Remove) {
        fresh = AskNewQueryAndAnswer();
        if (!fresh)
            return false;
    }

    AccountRecord account = ReadAccount(record);
    account.AccessQuery = fresh ? fresh->query : QString();
    account.AccessAnswer = fresh ? fresh->answer : QString();
    WriteAccount(record, account);

    switch (request) {
    case ProtectRequest::Establish:
        Confirm(QStringLiteral("Protected access enabled"), IconExclamation,
                QStringLiteral("Congratulations!") + crlf + crlf + QStringLiteral("Access to this account")
                    + crlf + QStringLiteral("is now protected."));
        break;
    case ProtectRequest::Change:
        Confirm(QStringLiteral("Access query changed"), IconExclamation,
                QStringLiteral("Congratulations!") + crlf + crlf
                    + QStringLiteral("The access query needed to access") + crlf
                    + QStringLiteral("this account has been changed."));
        break;
    case ProtectRequest::Remove:
        Confirm(QStringLiteral("Protected access removed"), IconInformation,
                QStringLiteral("Protected access has been") + crlf
                    + QStringLiteral("removed from this account."));
        break;
    }
    return true;
}

QString OfferProtectionOptions(qint32 record)
{
    const QString lead = QStringLiteral("The highlighted account is currently ");
    const QString cancel = QStringLiteral("&Cancel, don't do anything");
    if (!IsProtected(ReadAccount(record))) {
        if (prompts().ask(QStringLiteral("Protect your account"), IconInformation,
                          lead + QStringLiteral("not protected from unauthorized access."), 1,
                          {QStringLiteral("&Establish access protection"), cancel})
            == 1)
            ProtectAccount(ProtectRequest::Establish, record);
    } else {
        switch (prompts().ask(QStringLiteral("Account Options"), IconQuestion,
                              lead + QStringLiteral("protected from unauthorized access."), 1,
                              {QStringLiteral("&Change the query/answer"),
                               QStringLiteral("Remove &access protection"), cancel})) {
        case 1: ProtectAccount(ProtectRequest::Change, record); break;
        case 2: ProtectAccount(ProtectRequest::Remove, record); break;
        default: break;
        }
    }
    return TrimSpaces(ReadAccount(record).AccessQuery);
}

}
