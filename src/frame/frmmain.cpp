#include "frmmain.h"

#include "Twips.h"

frmmain::frmmain()
    : VbForm(QStringLiteral("frmmain"))
{
}

double frmmain::InnerWidthTw() const { return PixelsToTwips(width()); }
double frmmain::InnerHeightTw() const { return PixelsToTwips(height()); }

void frmmain::SetupUi() { SetInnerSizeTw(7080, 6225); }
void frmmain::Form_Load() {}

VbForm& MainForm() { return forms::frmmain.get(); }
bool MainFormLoaded() { return forms::frmmain.loaded(); }
