#pragma once
// The hidden host of the skin and splash controls (dialog 200, "Skin Dialog"), owned by the application object: it
// attaches the window skin (none on this system) and shows the start-up splash picture.

#include "platform/dialog.h"

#include <QString>

#include <memory>

class QSplashScreen;

namespace Ui {
class CSkinDlg;
}

class CSkinDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 200;
    static constexpr int kSplashControlId = 1328;
    static constexpr int kSkinControlId = 1325;

    explicit CSkinDlg(QWidget* parent = nullptr);
    ~CSkinDlg() override;

    bool OnInitDialog() override;
    void OnDestroy() override;

    // Drops an attached skin; with `attach` asks the skin control of the template for its interface and makes it the
    // process's skin control (none answers here, so the program runs unskinned).
    void CreateSkinObject(bool attach);

    // Closes a shown splash; with a path, shows the picture of that file (any picture format Qt reads). A picture that
    // cannot be read shows nothing and is reported in the log.
    void ShowSplash(const QString& path);
    // Closes the splash: at once, or with `whenNextWindowShows` once another window of the program is up (the login
    // dialog, or a box that tells why the start-up ends), so that the picture stays on the screen until something
    // takes its place. The skin dialog's destruction closes it in any case.
    void CloseSplash(bool whenNextWindowShows = false);
    bool IsSplashShown() const { return splashShown_; }
    // The splash window while one is shown, for tests.
    QSplashScreen* Splash() const { return splash_.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::CSkinDlg> ui_;
    std::unique_ptr<QSplashScreen> splash_;
    bool splashShown_ = false;
    bool closeOnNextWindow_ = false;
};
