#pragma once
// Browsing the applications archived as not approved (xmsbwpz) of the category.
#include "BrowseWindow.h"

class frmwpzcx : public BrowseWindow {
    Q_OBJECT
public:
    frmwpzcx()
        : BrowseWindow(QStringLiteral("frmwpzcx"), {QStringLiteral("未批准项目浏览"), QStringLiteral("xmsbwpz")})
    {
    }
};

namespace forms {
inline FormRef<::frmwpzcx> frmwpzcx;
}
