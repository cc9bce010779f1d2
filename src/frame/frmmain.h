#pragma once
#include "VbForm.h"

class frmmain : public VbForm {
    Q_OBJECT
public:
    frmmain();
    double InnerWidthTw() const override;
    double InnerHeightTw() const override;

protected:
    void SetupUi() override;
    void Form_Load() override;
};

namespace forms {
inline FormRef<::frmmain> frmmain;
}
