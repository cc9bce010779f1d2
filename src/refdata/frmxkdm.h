#pragma once
// Code-table window of the disciplines. The codes are shared out among the project
// categories by ranges of their text; the window keeps the range of the category
// chosen at login, and the length of a new code depends on that category.
#include "CodeTableWindow.h"

class frmxkdm : public CodeTableWindow {
    Q_OBJECT
public:
    frmxkdm();

protected:
    void OpenRecordSource() override;
    int CodeLength() const override;
};

namespace forms {
inline FormRef<::frmxkdm> frmxkdm;
}
