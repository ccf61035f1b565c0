#include "scriptedprompts.h"

#include <QTest>
#include <cstdio>

namespace tallyo::test {

namespace {
void fail(const QString& message)
{
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    else
        std::fprintf(stderr, "FAIL (ScriptedPrompts): %s\n", qPrintable(message));
}
}

ScriptedPrompts::~ScriptedPrompts()
{
    verifyDone();
}

ScriptedPrompts& ScriptedPrompts::expectMessage(const QString& title, int result, bool optionChecked)
{
    expected_.append({Kind::Message, title, {}, {}, {}, {result, optionChecked}, {}});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectMessage(const QString& title, const QString& text,
                                                const QStringList& captions, int result,
                                                bool optionChecked)
{
    expected_.append({Kind::Message, title, text, captions, {}, {result, optionChecked}, {}});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectMessageKind(int iconKind)
{
    if (!expected_.isEmpty() && expected_.last().kind == Kind::Message)
        expected_.last().iconKind = iconKind;
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectInput(const QString& title, const QString& answer)
{
    expected_.append({Kind::Input, title, {}, {}, {}, {}, answer});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectFolder(const QString& answer)
{
    expected_.append({Kind::Folder, {}, {}, {}, {}, {}, answer});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectFile(const QString& answer)
{
    expected_.append({Kind::File, {}, {}, {}, {}, {}, answer});
    return *this;
}

bool ScriptedPrompts::verifyDone()
{
    if (expected_.isEmpty())
        return true;
    QStringList left;
    for (const Expected& expected : expected_)
        left.append(describe(expected));
    expected_.clear();
    fail(QStringLiteral("expected calls not made: %1").arg(left.join(QStringLiteral("; "))));
    return false;
}

QString ScriptedPrompts::describe(const Expected& expected)
{
    switch (expected.kind) {
    case Kind::Message: return QStringLiteral("message \"%1\"").arg(expected.title);
    case Kind::Input: return QStringLiteral("input \"%1\"").arg(expected.title);
    case Kind::Folder: return QStringLiteral("folder picker");
    case Kind::File: return QStringLiteral("file picker");
    }
    return {};
}

bool ScriptedPrompts::take(Kind kind, const QString& title, Expected& out)
{
    static const char* names[] = {"message", "input", "folder picker", "file picker"};
    const QString call = QStringLiteral("%1 \"%2\"").arg(QLatin1String(names[int(kind)]), title);
    if (expected_.isEmpty()) {
        fail(QStringLiteral("unexpected %1").arg(call));
        return false;
    }
    out = expected_.takeFirst();
    if (out.kind != kind || (kind != Kind::Folder && kind != Kind::File && out.title != title)) {
        fail(QStringLiteral("unexpected %1; expected %2").arg(call, describe(out)));
        return false;
    }
    return true;
}

MessageAnswer ScriptedPrompts::showMessage(const MessageRequest& request)
{
    messages_.append(request);
    Expected expected;
    if (!take(Kind::Message, request.title, expected)) {
        qWarning("the message said: %s", qPrintable(request.text));
        return {};
    }
    if (expected.text && *expected.text != request.text) {
        fail(QStringLiteral("message \"%1\": text \"%2\", expected \"%3\"")
                 .arg(request.title, request.text, *expected.text));
        return {};
    }
    if (expected.captions && *expected.captions != request.captions) {
        fail(QStringLiteral("message \"%1\": buttons [%2], expected [%3]")
                 .arg(request.title, request.captions.join(QStringLiteral(" | ")),
                      expected.captions->join(QStringLiteral(" | "))));
        return {};
    }
    if (expected.iconKind && *expected.iconKind != request.iconKind) {
        fail(QStringLiteral("message \"%1\": icon kind %2, expected %3")
                 .arg(request.title).arg(request.iconKind).arg(*expected.iconKind));
        return {};
    }
    return expected.answer;
}

QString ScriptedPrompts::inputText(const QString& title, const QString& prompt,
                                   const QString& defaultText)
{
    inputs_.append({title, prompt, defaultText});
    Expected expected;
    if (!take(Kind::Input, title, expected))
        return {};
    return expected.textAnswer;
}

QString ScriptedPrompts::pickFolder(const QString& title, const QString&)
{
    folderPrompts_.append(title);
    Expected expected;
    if (!take(Kind::Folder, title, expected))
        return {};
    return expected.textAnswer;
}

QString ScriptedPrompts::pickFile(const QString& title, const QString&, const QString&)
{
    Expected expected;
    if (!take(Kind::File, title, expected))
        return {};
    return expected.textAnswer;
}

}
