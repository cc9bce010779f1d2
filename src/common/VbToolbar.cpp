#include "VbToolbar.h"


VbToolbar::VbToolbar(QWidget* parent, const QString& name)
    : QToolBar(parent)
{
    setObjectName(name);
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setFocusPolicy(Qt::NoFocus);
}

QAction* VbToolbar::AddButton(const QString& key, const QString& text)
{
    QAction* a = addAction(text);
    a->setObjectName(key);
    a->setData(key);
    if (QWidget* w = widgetForAction(a))
        w->setFocusPolicy(Qt::NoFocus);
    connect(a, &QAction::triggered, this, [this, key] { ButtonClick.raise(key); });
    return a;
}

QAction* VbToolbar::Button(const QString& key) const
{
    for (QAction* a : actions())
        if (a->data().toString() == key)
            return a;
    return nullptr;
}

QStringList VbToolbar::Keys() const
{
    QStringList keys;
    for (QAction* a : actions())
        if (!a->data().toString().isEmpty())
            keys << a->data().toString();
    return keys;
}
