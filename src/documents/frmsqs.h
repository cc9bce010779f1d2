#pragma once
// The application document window: the category's applications in a grid; "预  览"
// writes the chosen one into its category's application document in doc and opens
// it in the desktop's word processor.
#include "DocumentListWindow.h"

class frmsqs : public DocumentListWindow {
    Q_OBJECT
public:
    frmsqs();

protected:
    void Cmdprint_Click() override;
};

namespace forms {
inline FormRef<::frmsqs> frmsqs;
}
