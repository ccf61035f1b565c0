#pragma once
// The list of screenshot renderers. Each returns the number of PNG files it
// wrote into the folder.
#include <QDir>
#include <functional>
#include <vector>

namespace tallyo {
class frmAccount;
struct MessageRequest;
}

namespace tallyo::shots {
using Renderer = std::function<int(const QDir& out)>;
std::vector<Renderer> all();
int messageDialogShots(const QDir& out);
int buttonShots(const QDir& out);
int titleShots(const QDir& out);
int accountIndexShots(const QDir& out);
int registerShots(const QDir& out);
int entryShots(const QDir& out);
int searchShots(const QDir& out);

// Adds the account "Household Checking" with the register's sample
// transactions (early 2026) to the working folder and opens its register,
// sized to its least height; nullptr when the window did not open.
frmAccount* OpenRegisterSample();

int programOptionsShots(const QDir& out);

int checkShots(const QDir& out);
int statementShots(const QDir& out);
int reportShots(const QDir& out);

// The message dialog with these contents, saved as <name>.png.
int shootMessage(const QDir& out, const QString& name, const QString& title, int iconKind,
                 const QString& text, int defaultButton, bool showOption, const QStringList& captions);

// A check run on every window just before its picture is saved (a test
// walks its buttons); none unless set.
using WindowCheck = std::function<void(class QWidget& window, const QString& name)>;
void setWindowCheck(WindowCheck check);
void checkWindow(class QWidget& window, const QString& name);

// Saves a widget's rendering as <name>.png in the folder; returns 1 on success.
int save(class QWidget& widget, const QDir& out, const QString& name);
// Renders the message dialog asking this as <name>.png.
int messageShot(const QDir& out, const QString& name, const MessageRequest& request);
}
