#pragma once
// A toolbar of buttons, each under a key and with a text. Its buttons never take the
// focus, so that a click acts on the box the user is typing in; ButtonClick runs
// with the key of the clicked button.

#include "Controls.h"

#include <QToolBar>

class VbToolbar : public QToolBar {
    Q_OBJECT
public:
    VbToolbar(QWidget* parent, const QString& name);
    // Adds a button at the end; the action carries the key as its object name.
    QAction* AddButton(const QString& key, const QString& text);
    QAction* Button(const QString& key) const;
    QStringList Keys() const;
    Event<void(const QString& key)> ButtonClick;
};
