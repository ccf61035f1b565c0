#pragma once
// The first window: the program's title, description and version, a notice
// when another version is published, the new-user overview, the conversion
// of an older account index, and the way on to the account index. A pulsing
// button draws the eye to the next step; with the quick start on, the window
// goes on by itself.
#include "shell/titlepulse.h"
#include "util/buttonpulse.h"
#include "util/twips.h"

#include <QWidget>

class QLabel;
class QTimer;

namespace tallyo {

class ZevButton;

class frmTitlePage : public QWidget {
    Q_OBJECT

public:
    // The window deletes itself when it closes.
    explicit frmTitlePage(QWidget* parent = nullptr);
    ~frmTitlePage() override;

    QLabel* labelAppTitle = nullptr;
    QLabel* labelAppDescription = nullptr;
    QLabel* labelVersion = nullptr;
    ZevButton* cmdContinue = nullptr;
    ZevButton* cmdQuit = nullptr;
    ZevButton* cmdUpdateCheck = nullptr;
    ZevButton* cmdWindowsNotice = nullptr;
    QTimer* timerFlashButton = nullptr;

    // A published version differs from this one.
    bool UpdateAvailable() const { return updateAvailable_; }
    // The button that pulses; null before the first tick and after a close.
    ZevButton* PulseTarget() const { return pulseTarget_; }

    // One tick of timerFlashButton: starts or steps the pulse, or goes on by
    // itself when the quick start is due.
    void timerFlashButton_Timer();
    // Leaves the title window for the account index: the new-user overview,
    // the conversion of an older index, then the index window.
    void ContinueFromTitle();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void CheckForUpdate();
    bool ConvertOldIndex();
    void PulseStep();
    void cmdContinue_Click();
    void cmdQuit_Click();
    void cmdUpdateCheck_Click();
    void cmdWindowsNotice_Click();
    ZevButton* makeButton(const QRect& twipsRect);
    QRect pixels(const QRect& twipsRect) const;

    TwipScale twips_;
    TitleTimerRule timerRule_;
    ButtonPulse pulse_;
    ZevButton* pulseTarget_ = nullptr;
    bool updateAvailable_ = false;
    bool activated_ = false;
    bool continuing_ = false; // ContinueFromTitle is under way
    bool pressedLook_ = false; // Continue already shows itself pressed
    bool leaving_ = false;    // the window closes itself: no question
};

// Creates and shows the title window (one at a time).
void ShowTitleWindow();
// The title window while it is open; null otherwise.
frmTitlePage* TitleWindow();

}
