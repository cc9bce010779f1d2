#pragma once
// The summary-list window: the category's applications in a grid; "预  览" writes
// all of them, twelve to a page, into the category's summary list in doc and opens
// it in the desktop's word processor.
#include "DocumentListWindow.h"

class frmylb : public DocumentListWindow {
    Q_OBJECT
public:
    frmylb();

protected:
    void Cmdprint_Click() override;
};

namespace forms {
inline FormRef<::frmylb> frmylb;
}
