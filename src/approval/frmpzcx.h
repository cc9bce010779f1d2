#pragma once
// Browsing the approved projects (xmsbpz) of the category; the box of the number
// shows the approval number.
#include "BrowseWindow.h"

class frmpzcx : public BrowseWindow {
    Q_OBJECT
public:
    frmpzcx()
        : BrowseWindow(QStringLiteral("frmpzcx"), {QStringLiteral("已批准项目浏览"), QStringLiteral("xmsbpz")})
    {
    }
};

namespace forms {
inline FormRef<::frmpzcx> frmpzcx;
}
