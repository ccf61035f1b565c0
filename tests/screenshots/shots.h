#pragma once
// The list of screenshot renderers. Each returns the number of PNG files it
// wrote into the folder.
#include <QDir>
#include <functional>
#include <vector>

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

// The register's sample account (sixteen transactions of early 2026) for
// the account with this key, appended to Account.dat.
void writeRegisterSample(const QString& key);

// Saves a widget's rendering as <name>.png in the folder; returns 1 on success.
int save(class QWidget& widget, const QDir& out, const QString& name);
}
