#include "checkmessages.h"

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");

}

MessageRequest PrintSettingsQuestion()
{
    return {QStringLiteral("Print Settings"), IconExclamation,
            QStringLiteral("The positioning of text fields for your check format") + crlf
                + QStringLiteral("has not yet been established for this account.") + crlf + crlf
                + QStringLiteral("Printing is not possible until you first determine where") + crlf
                + QStringLiteral("each text field is to be positioned on your check.") + crlf + crlf
                + QStringLiteral("Do you want to complete this procedure now?") + crlf + crlf
                + QStringLiteral("(See the manual for more information about this procedure)"),
            1, false, {QStringLiteral("&Yes, proceed"), QStringLiteral("&No, return to the Account Register")}};
}

MessageRequest LayoutRefusal(LayoutProblem problem)
{
    const QStringList okay{QStringLiteral("&Okay")};
    switch (problem) {
    case LayoutProblem::AboveLimit:
        return {QStringLiteral("Invalid value"), IconInformation,
                QStringLiteral("Values exceeding 255") + crlf + QStringLiteral("are not allowed..."), 1, false, okay};
    case LayoutProblem::BelowOne:
        return {QStringLiteral("Invalid value"), IconInformation,
                QStringLiteral("Values below 1") + crlf + QStringLiteral("are not allowed..."), 1, false, okay};
    case LayoutProblem::Order:
        return {QStringLiteral("Error"), IconInformation, QStringLiteral("Check your numbers, please..."), 1, false,
                okay};
    case LayoutProblem::None:
        break;
    }
    return {};
}

}
