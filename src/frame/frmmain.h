#pragma once
// The main window: the system title of the category over a background picture, the
// menu tree and the toolbar from which every working window is opened, exit and
// log-off. Disabling it disables its menu bar and toolbar; the working windows are
// windows of their own and stay usable.

#include "Controls.h"
#include "ImageList.h"
#include "VbForm.h"

#include <QMenuBar>
#include <QToolBar>

class frmmain : public VbForm {
    Q_OBJECT
public:
    frmmain();

    // The area below the menu bar (the toolbar lies inside it), in twips.
    double InnerWidthTw() const override;
    double InnerHeightTw() const override;

    QMenuBar* MenuBar() const { return m_menuBar; }
    QToolBar* Toolbar1() const { return m_toolbar; }
    VbPicture* Imgback() const { return m_imgback; }
    VbImageList* ImageList1() const { return m_imageList; }

    // The toolbar's button click, by the button's key.
    void Toolbar1_ButtonClick(const QString& key);
    // "退出": closes every window and so ends the program.
    void mnutc_Click();
    // "退出本系统" and the toolbar's "exit": back to the login window.
    void mnutcxt_Click();

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Resize() override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void LayoutControls();
    int MenuBarHeight() const;

    ControlPtr<QMenuBar> m_menuBar{this};
    ControlPtr<QToolBar> m_toolbar{this};
    ControlPtr<VbPicture> m_imgback{this};
    ControlPtr<VbImageList> m_imageList{this};
};

namespace forms {
inline FormRef<::frmmain> frmmain;
}

// Makes the frame's main window the one the working windows centre on and lock.
// Runs at start-up, before the first window loads.
void RegisterFrameWindows();
